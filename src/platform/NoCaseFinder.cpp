#include "platform/NoCaseFinder.h"

#include "platform/Text.h"

#include <bit>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TOMECRAFT_SSE2 1
#endif

namespace tc {

namespace {

constexpr unsigned char kCaseBit = 0x20;

// Whether every byte that folds to `lowered` is `lowered` with or without the case bit.
bool FoldsByCaseBit(unsigned char lowered) {
    // The pairs S/s caron, OE/oe, Z/z caron and Y/y diaeresis differ in other bits.
    return (lowered & kCaseBit) != 0 && lowered != 0x9A && lowered != 0x9C && lowered != 0x9E &&
           lowered != 0xFF;
}

// How common a byte is in prose, lower for more common: the scan anchors on a rare one.
int Commonness(unsigned char lowered) {
    constexpr std::string_view kByFrequency = "zqxjkvbpygfwmucldrhsnioate ";
    const std::size_t at = kByFrequency.find(static_cast<char>(lowered));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

} // namespace

NoCaseFinder::NoCaseFinder(std::string_view part) : m_lowered(ToLower(part)) {
    int best = 0;
    for (std::size_t k = 0; k < m_lowered.size(); ++k) {
        const auto byte = static_cast<unsigned char>(m_lowered[k]);
        if (FoldsByCaseBit(byte) && (!m_quick || Commonness(byte) < best)) {
            m_anchor = k;
            best = Commonness(byte);
            m_quick = true;
        }
    }
}

bool NoCaseFinder::MatchesAt(const char* start) const {
    for (std::size_t k = 0; k < m_lowered.size(); ++k) {
        if (ToLowerChar(start[k]) != m_lowered[k]) {
            return false;
        }
    }
    return true;
}

bool NoCaseFinder::SlowIn(std::string_view text) const {
    for (std::size_t k = 0; k + m_lowered.size() <= text.size(); ++k) {
        if (MatchesAt(text.data() + k)) {
            return true;
        }
    }
    return false;
}

bool NoCaseFinder::In(std::string_view text) const {
    if (m_lowered.empty()) {
        return true;
    }
    if (text.size() < m_lowered.size()) {
        return false;
    }
    if (!m_quick) {
        return SlowIn(text);
    }
    const char* data = text.data();
    const auto anchor = static_cast<unsigned char>(m_lowered[m_anchor]);
    // The anchor's positions where the whole part would fit.
    const std::size_t end = text.size() - m_lowered.size() + m_anchor + 1;
    std::size_t at = m_anchor;
#ifdef TOMECRAFT_SSE2
    const __m128i caseBit = _mm_set1_epi8(static_cast<char>(kCaseBit));
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(anchor));
    for (; at + 16 <= end; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        auto hits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(bytes, caseBit), wanted)));
        while (hits != 0) {
            if (MatchesAt(data + at + static_cast<std::size_t>(std::countr_zero(hits)) -
                          m_anchor)) {
                return true;
            }
            hits &= hits - 1;
        }
    }
#endif
    for (; at < end; ++at) {
        if ((static_cast<unsigned char>(data[at]) | kCaseBit) == anchor &&
            MatchesAt(data + at - m_anchor)) {
            return true;
        }
    }
    return false;
}

} // namespace tc
