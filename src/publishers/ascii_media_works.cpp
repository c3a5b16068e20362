// ASCII Media Works' search result for one ISBN: UTF-8 with a byte order
// mark, an old table layout. The title image's block carries the title two
// lines below it and the subtitle, volume in brackets, on the line after;
// particulars are "<FONT size="-1">" headings; the description is the one
// bare "<div>" block. The imprint is told by the ISBN the page shows.
#include <charconv>

#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleImage = "<IMG src=\"/search/images/t_title.gif\">";
constexpr std::string_view kSeriesImage = "<IMG src=\"/search/images/t_series.gif\">";
constexpr std::string_view kCreditHeadings[] = {
    "<FONT size=\"-1\">著者</FONT>"_sjis,
    "<FONT size=\"-1\">原作者</FONT>"_sjis,
    "<FONT size=\"-1\">イラスト/作画</FONT>"_sjis,
    "<FONT size=\"-1\">その他</FONT>"_sjis,
};
constexpr std::string_view kSize = "判型 : "_sjis;
constexpr std::string_view kIsbn = "ISBN :";
constexpr std::string_view kPriceHeading = "<FONT size=\"-1\">価格</FONT>"_sjis;
constexpr std::string_view kPageCount = "ページ数 : "_sjis;
constexpr std::string_view kReleaseHeading = "<FONT size=\"-1\">発売日</FONT>"_sjis;
constexpr std::string_view kItemImage = "<img src=\"/search/img-item/";
constexpr std::string_view kMediaWorksIsbn = "97848402";
constexpr std::string_view kMediaWorks = "メディアワークス"_sjis;
constexpr std::string_view kAsciiMediaWorks = "アスキー･メディアワークス"_sjis;

// The subtitle line: a bracketed tail at its very end is the volume and is
// cut off; the rest is the subtitle (replacing what the title gave). A ")"
// with no "(" before it opens no tail.
void SubtitleAndVolumeTail(Scan& scan, const std::string& text) {
  std::string subtitle = text;
  if (EndsWith(subtitle, ")")) {
    std::size_t open = subtitle.rfind('(');
    if (open != std::string::npos) {
      scan.book.Volume = subtitle.substr(open + 1, subtitle.size() - open - 2);
      subtitle.erase(open);
    }
  }
  scan.book.Subtitle = subtitle;
}

// A decimal number (blanks around it allowed), 0 when the text is none.
long long Amount(std::string_view text) {
  text = TrimView(text);
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The price line gives the base price and the tax apart; the price is their
// sum, left alone when neither is there.
void BasePlusTax(Scan& scan, const std::string& text) {
  long long sum = Amount(ExtractAfter(text, "本体"_sjis, kYen)) + Amount(ExtractAfter(text, "税"_sjis, kYen));
  if (sum > 0) scan.book.Price = std::to_string(sum);
}

void PublisherByIsbn(Scan& scan, const std::string&) {
  scan.book.Publisher.assign(scan.memo.starts_with(kMediaWorksIsbn) ? kMediaWorks : kAsciiMediaWorks);
}

const Publisher& AsciiMediaWorks() {
  static const std::string searchFolder = std::string(sites::kAsciiMediaWorks) + "/search";
  static const Publisher publisher{
      .key = "asciimw",
      .encoding = PageEncoding::Utf8WithBom,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 4, .lastFromEnd = 4},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i [+ condition], cut, post-processing, store
          {"title, volume", LineAt(+2), kTitleImage, {}, {Clean, Remove("&nbsp;"), Between("<B>", "</B>")}, {},
           TitleVolumeSubtitle},
          {"subtitle, volume", LineAt(+3), kTitleImage, {},
           {Clean, Remove("&nbsp;"), Replace("（"_sjis, "("), Replace("）"_sjis, ")"), ToAscii,
            Between("<FONT>", "</FONT>")},
           {}, All(SubtitleAndVolumeTail, MarkFound)},
          {"authors", LineAt(0), kAnyOf, AnyOf(kCreditHeadings), {Clean, Remove("&nbsp;"), Remove("その他"_sjis)}, {},
           Credits("Dummy", "Dummy", "、"_sjis)},
          {"label", LineAt(0), kSeriesImage, {}, {Clean, Remove("&nbsp;"), Strip, TrimBlanks}, {},
           Into(&TBase::Label)},
          {"size", LineAt(0), kSize, {}, {Clean, Between(kSize, "&nbsp;")}, {}, SizeField},
          {"ISBN text", LineAt(0), kIsbn, {}, {Clean, Remove(kIsbn), Remove("-"), Remove(" "), Strip}, {}, IntoMemo},
          {"price", LineAt(0), kPriceHeading, {}, {Clean, Remove(",")}, {}, BasePlusTax},
          {"page count", LineAt(0), kPageCount, {}, {Clean, Between(kPageCount, "</FONT>")}, {},
           Into(&TBase::PageCount)},
          {"release date", LineAt(0), kReleaseHeading, {}, {Clean, Remove("発売日"_sjis), Strip}, {}, DateFields},
          {"cover image URL", LineAt(0), kItemImage, {}, {Between("<img src=\"/search/", kQuote)}, {},
           CoverAt(searchFolder)},
          // The lines of the block are joined with nothing between them.
          {"description", LineThenCollectUntil("</div>"), "<div>", {}, {},
           {Clean, Replace(kFullWidthSpace, " "), Strip}, All(Into(&TBase::Description), MarkDone)},
          // After every line's tests, the last included.
          {"publisher", kNothing, kEveryLine, {}, {}, {}, PublisherByIsbn},
      }};
  return publisher;
}

}  // namespace

int ScrapeAsciiMediaWorks(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(AsciiMediaWorks(), pagePath, ctx);
}

}  // namespace okuzuke
