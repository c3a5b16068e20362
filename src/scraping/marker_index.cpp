#include "scraping/marker_index.h"

#include <array>
#include <cstring>

#include "text/sjis.h"

#include "scraping/avx2.h"

#if defined(OKUZUKE_HAVE_AVX2_PATH)
#include <immintrin.h>
#endif

namespace okuzuke::scraping {

namespace {

// Roughly how often a byte stands on a Japanese catalogue page: the markup's
// signs and small letters and the kana leads often, capitals, other signs
// and most kanji bytes seldom. A marker is looked for by its two adjacent
// bytes that are seen least, so that few places need a closer look.
int Commonness(unsigned char b) {
  if (b == '<' || b == '>' || b == '/' || b == '"' || b == '=' || b == ' ' || b == '\t') return 40;
  if (b >= 'a' && b <= 'z') return 30;
  if (b == 0x81 || b == 0x82 || b == 0x83) return 20;
  if (b >= '0' && b <= '9') return 10;
  if (b < 0x80 && !(b >= 'A' && b <= 'Z')) return 5;
  return 3;
}

// A text is looked for by the byte pair at `offset` (one byte for a text of
// one byte).
struct Anchor {
  std::size_t offset = 0;
  bool single = false;
};

Anchor ChooseAnchor(std::string_view text) {
  if (text.size() == 1) return {0, true};
  Anchor best;
  int bestScore = 1 << 30;
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    int score = Commonness(static_cast<unsigned char>(text[k])) * Commonness(static_cast<unsigned char>(text[k + 1]));
    if (score < bestScore) best = {k, false}, bestScore = score;
  }
  return best;
}

}  // namespace

// The texts sorted into eight buckets by their anchor, and for each of the
// anchor's two bytes a table per nibble of the buckets that byte may belong
// to (a text of one byte takes any second byte). A place whose two bytes are
// in a common bucket is a candidate for that bucket's texts.
struct MarkerSearch::Buckets {
  struct Member {
    std::size_t text;    // its index in Texts()
    std::size_t offset;  // of the anchor in the text
    const unsigned char* bytes;
    std::size_t size;
  };
  std::array<std::vector<Member>, 8> members;
  // first byte low nibble, first high, second low, second high; each twice,
  // for both halves of a 256-bit register.
  alignas(32) std::array<std::array<unsigned char, 32>, 4> nibbles{};

  void Add(std::size_t text, std::string_view bytes, Anchor anchor, unsigned bucket) {
    members[bucket].push_back(
        {text, anchor.offset, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
    const unsigned char bit = static_cast<unsigned char>(1u << bucket);
    const auto first = static_cast<unsigned char>(bytes[anchor.offset]);
    for (int half : {0, 16}) {
      nibbles[0][half + (first & 15)] |= bit;
      nibbles[1][half + (first >> 4)] |= bit;
      if (anchor.single) {
        for (int n = 0; n < 16; ++n) nibbles[2][half + n] |= bit, nibbles[3][half + n] |= bit;
      } else {
        const auto second = static_cast<unsigned char>(bytes[anchor.offset + 1]);
        nibbles[2][half + (second & 15)] |= bit;
        nibbles[3][half + (second >> 4)] |= bit;
      }
    }
  }

  // The buckets whose anchor the bytes at `at` may be (scalar form).
  unsigned char At(const unsigned char* data, std::size_t size, std::size_t at) const {
    const unsigned char a = data[at];
    unsigned char first = nibbles[0][a & 15] & nibbles[1][a >> 4];
    if (first == 0) return 0;
    if (at + 1 >= size) return first & singleOnly;  // no second byte: only one-byte texts
    const unsigned char b = data[at + 1];
    return first & nibbles[2][b & 15] & nibbles[3][b >> 4];
  }
  unsigned char singleOnly = 0;  // buckets of one-byte texts
};

namespace {

#if defined(OKUZUKE_HAVE_AVX2_PATH)
// Thirty-two places at a time: the candidate buckets of each place, as the
// nibble tables give them; `candidate(at, buckets)` for each place that has
// any. Returns where the scalar form has to go on.
template <typename Candidate>
__attribute__((target("avx2"))) std::size_t FindCandidatesAvx2(const unsigned char* data, std::size_t size,
                                                               const MarkerSearch::Buckets& buckets,
                                                               Candidate candidate) {
  const __m256i low = _mm256_set1_epi8(0x0F);
  const __m256i zero = _mm256_setzero_si256();
  const auto* tables = reinterpret_cast<const __m256i*>(buckets.nibbles.data());
  const __m256i firstLow = _mm256_load_si256(tables), firstHigh = _mm256_load_si256(tables + 1);
  const __m256i secondLow = _mm256_load_si256(tables + 2), secondHigh = _mm256_load_si256(tables + 3);
  std::size_t i = 0;
  for (; i + 33 <= size; i += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
    const __m256i first = _mm256_and_si256(_mm256_shuffle_epi8(firstLow, _mm256_and_si256(x, low)),
                                           _mm256_shuffle_epi8(firstHigh, _mm256_and_si256(_mm256_srli_epi16(x, 4), low)));
    const __m256i second = _mm256_and_si256(_mm256_shuffle_epi8(secondLow, _mm256_and_si256(y, low)),
                                            _mm256_shuffle_epi8(secondHigh, _mm256_and_si256(_mm256_srli_epi16(y, 4), low)));
    const __m256i both = _mm256_and_si256(first, second);
    auto places = ~static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(both, zero)));
    if (places == 0) continue;
    alignas(32) unsigned char bits[32];
    _mm256_store_si256(reinterpret_cast<__m256i*>(bits), both);
    while (places != 0) {
      const unsigned j = static_cast<unsigned>(__builtin_ctz(places));
      places &= places - 1;
      candidate(i + j, bits[j]);
    }
  }
  return i;
}

#endif

}  // namespace

std::vector<std::uint64_t> MarkerSearch::SearchEachLine(const std::vector<std::string_view>& texts,
                                                        const PageLines& page) {
  std::vector<std::uint64_t> masks(static_cast<std::size_t>(page.Count()), 0);
  for (std::ptrdiff_t line = 0; line < page.Count(); ++line)
    for (std::size_t t = 0; t < texts.size() && t < kIndexed; ++t)
      if (Contains(page[line], texts[t])) masks[static_cast<std::size_t>(line)] |= std::uint64_t{1} << t;
  return masks;
}

MarkerSearch::MarkerSearch(std::vector<std::string_view> texts) : texts_(std::move(texts)) {
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  buckets_ = std::make_unique<Buckets>();
  std::size_t placed = 0;
  for (std::size_t t = 0; t < std::min(texts_.size(), kIndexed); ++t) {
    const std::string_view text = texts_[t];
    if (text.find_first_of("\r\n") != std::string_view::npos) continue;  // in no line
    const Anchor anchor = ChooseAnchor(text);
    // Texts with the same anchor share a bucket; the others are dealt out.
    unsigned bucket = static_cast<unsigned>(placed++ % 8);
    for (unsigned b = 0; b < 8; ++b)
      for (const Buckets::Member& m : buckets_->members[b])
        if (!anchor.single && m.offset + 1 < texts_[m.text].size() &&
            texts_[m.text].substr(m.offset, 2) == text.substr(anchor.offset, 2))
          bucket = b;
    buckets_->Add(t, text, anchor, bucket);
    if (anchor.single) buckets_->singleOnly |= static_cast<unsigned char>(1u << bucket);
  }
#endif
}

MarkerSearch::~MarkerSearch() = default;

std::vector<std::uint64_t> MarkerSearch::LinesHolding(const PageLines& page) const {
  std::vector<std::uint64_t> masks;
  LinesHolding(page, masks);
  return masks;
}

void MarkerSearch::LinesHolding(const PageLines& page, std::vector<std::uint64_t>& masks) const {
  masks.assign(static_cast<std::size_t>(page.Count()), 0);
  const std::size_t indexed = std::min(texts_.size(), kIndexed);
  if (indexed == 0 || page.Count() == 0) return;
  const auto* data = reinterpret_cast<const unsigned char*>(page.Text().data());
  const std::size_t size = page.Text().size();
  // A text found at `start` marks the line it stands in (a marker holds no
  // line end, so a match never runs into the next line).
  auto mark = [&](std::size_t text, std::size_t start) {
    masks[static_cast<std::size_t>(page.LineAt(start))] |= std::uint64_t{1} << text;
  };

#if defined(OKUZUKE_HAVE_AVX2_PATH)
  if (Avx2InUse()) {
    const Buckets& buckets = *buckets_;
    // Only the buckets a place is a candidate for, each member's bytes at
    // hand: most candidates are false and must cost little.
    auto candidate = [&](std::size_t at, unsigned bits) {
      do {
        const auto bucket = static_cast<unsigned>(__builtin_ctz(bits));
        bits &= bits - 1;
        for (const Buckets::Member& m : buckets.members[bucket]) {
          if (at < m.offset) continue;
          const std::size_t start = at - m.offset;
          if (start + m.size > size) continue;
          // The anchor's two bytes may only share nibbles with the text's:
          // the ends tell most false candidates before a full comparison.
          if (data[start] != m.bytes[0] || data[start + m.size - 1] != m.bytes[m.size - 1]) continue;
          if (std::memcmp(data + start, m.bytes, m.size) == 0) mark(m.text, start);
        }
      } while (bits != 0);
    };
    std::size_t at = FindCandidatesAvx2(data, size, buckets, candidate);
    for (; at < size; ++at)
      if (unsigned char bits = buckets.At(data, size, at)) candidate(at, bits);
    return;
  }
#endif

  // Portable: each text searched for over the whole page, from the line
  // after each hit.
  const std::string_view whole = page.Text();
  for (std::size_t t = 0; t < indexed; ++t) {
    const std::string_view text = texts_[t];
    if (text.find_first_of("\r\n") != std::string_view::npos) continue;
    for (std::size_t at = whole.find(text); at != std::string_view::npos;) {
      const std::ptrdiff_t line = page.LineAt(at);
      mark(t, at);
      if (line + 1 >= page.Count()) break;
      at = whole.find(text, page.Begin(line + 1));
    }
  }
}

bool MarkerIndex::HoldsUnindexed(std::ptrdiff_t line, std::size_t text) const {
  return Contains(page_[line], search_.Texts()[text]);
}

}  // namespace okuzuke::scraping
