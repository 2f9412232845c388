#include "windows/Links.h"

namespace pictavo {

QString linkAddress(Link link) {
  switch (link) {
    case Link::UpdateNews: return QStringLiteral("https://blog.vellora.example/pictavo2012-update");
    case Link::MicroblogFirst: return QStringLiteral("https://microblog-one.example/vellora");
    case Link::MicroblogSecond: return QStringLiteral("https://microblog-two.example/vellora");
    case Link::HomePage: return QStringLiteral("https://www.vellora.example/");
    case Link::ProductDownload: return QStringLiteral("https://www.vellora.example/download/");
    case Link::FeedbackForum: return QStringLiteral("https://forum.vellora.example/pictavo");
  }
  return {};
}

void openLink(Link) {}

}  // namespace pictavo
