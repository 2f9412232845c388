#include "effects/SharpenFactor.h"

#include "base/Errors.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace pictavo {

float sharpenFactor(const QString& answer) {
  const QString text = answer.trimmed();
  bool ok = false;
  double value = QLocale().toDouble(text, &ok);
  if (!ok) value = QLocale::c().toDouble(text, &ok);
  if (!ok || !std::isfinite(value)) throw Error(kErrTypeMismatch);
  if (std::fabs(value) > double(std::numeric_limits<float>::max())) throw Error(kErrOverflow);
  return float(value);
}

}  // namespace pictavo
