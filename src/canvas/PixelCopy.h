#pragma once
// Copying rows of pixel words into a large destination. Ordinary stores
// first read every destination cache line they overwrite; streaming stores
// skip that read and keep the caches for the source, which makes a copy
// of a picture larger than the cache markedly faster.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace pictavo {

// Copies that write at least this many bytes in all should stream.
inline constexpr std::size_t kStreamingCopyBytes = std::size_t(32) << 20;

// Copies n pixel words; the two ranges must not overlap. After the last
// streamed row call finishStreaming.
inline void copyPixels(std::uint32_t* out, const std::uint32_t* in, std::size_t n, bool stream) {
  std::size_t i = 0;
#if defined(__AVX2__)
  if (stream) {
    for (; i < n && (reinterpret_cast<std::uintptr_t>(out + i) & 31) != 0; ++i) out[i] = in[i];
    for (; i + 8 <= n; i += 8)
      _mm256_stream_si256(reinterpret_cast<__m256i*>(out + i), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)));
  }
#else
  (void)stream;
#endif
  std::memcpy(out + i, in + i, (n - i) * sizeof(std::uint32_t));
}

// Orders streamed stores before whatever reads the destination next.
inline void finishStreaming() {
#if defined(__AVX2__)
  _mm_sfence();
#endif
}

}  // namespace pictavo
