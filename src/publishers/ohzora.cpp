// Ohzora's release page: EUC-JP. One line carries authors, release date and
// cover together; size and the tax-inclusive price also come from a
// list of particulars below the title, which overrides the values above it.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/book_size.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleHeading = "<h2 class=\"";
constexpr std::string_view kPublisherName = "宙出版"_sjis;
constexpr std::string_view kAuthors = "著者"_sjis;
constexpr std::string_view kReleaseDate = "発売日"_sjis;
constexpr std::string_view kImgSrcRoot = "<img src=\"/";
constexpr std::string_view kPrice = "定価"_sjis;
constexpr std::string_view kSize = "判型"_sjis;
constexpr std::string_view kSizeItem = "判</li>"_sjis;
constexpr std::string_view kTaxIncluded = "円（税込）"_sjis;
constexpr std::string_view kBreadcrumb = "<a href=\"/\">HOME</a>＞＞"_sjis;
constexpr std::string_view kBreadcrumbStep = "＞＞"_sjis;
constexpr std::string_view kNewReleaseImage = "<img src=\"/new_release/images/";
// The date stands within this many bytes after "発売日".
constexpr std::size_t kReleaseDateSpan = 100;

// The bytes from "発売日" on (from the line start without it), so that the
// following cut finds the date's own "</span>".
void NearReleaseDate(std::string& text) {
  std::size_t at = text.find(kReleaseDate);
  text = text.substr(at == std::string::npos ? 0 : at, kReleaseDateSpan);
}

// The last element of the breadcrumb, without its closing tag.
void LastBreadcrumb(std::string& text) {
  std::size_t at = text.rfind(kBreadcrumbStep);
  if (at != std::string::npos) text.erase(0, at + kBreadcrumbStep.size());
  std::size_t close = text.find("</");
  if (close != std::string::npos) text.erase(close);
}

// The image path of the new-release picture, beginning "new_release/images/".
void NewReleaseImagePath(std::string& text) {
  std::size_t at = text.find(kNewReleaseImage);
  text = at == std::string::npos ? std::string() : text.substr(at + kImgSrcRoot.size());
}

// The list of particulars: item lines up to "</ul>" (or the end of the page);
// a size item and a tax-inclusive price item are read, others skipped.
void ParticularsList(Scan& scan, const std::string&) {
  for (std::ptrdiff_t k = scan.line + 1;
       k < scan.page.Count() && !Contains(scan.page[k], "</ul>") && scan.SpendLookAhead(); ++k) {
    std::string item = Trim(ReplaceAll(scan.page[k], "\t", ""));
    if (Contains(item, kSizeItem))
      NormalizeBookSize(scan.book, ExtractAfter(item, "<li>", "</"));
    else if (Contains(item, kTaxIncluded))
      scan.book.Price = ReplaceAll(ExtractAfter(item, "<li>", kYen), ",", "");
  }
}

const Publisher& Ohzora() {
  static const Publisher publisher{
      .key = "ohzora",
      .encoding = PageEncoding::EucJp,
      .entities = {kAmp, kQuot, kLt, kGt, {"&nbsp;", ""}},
      .scan = {.firstLine = 0, .minLines = 2, .lastFromEnd = 2},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle, publisher", LineAt(0), kTitleHeading, {}, {Clean, Between("\">", "</")}, {},
           All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(0), kAuthors, {}, {Clean, Between("<a", "</li>"), Between(">", "<")}, {},
           Credits(kFullWidthSpace, kFullWidthSpace, "")},
          {"release date", LineAt(0), kAuthors, {}, {Clean, NearReleaseDate, Between("</span>", "(")}, {},
           DateFields},
          {"cover image URL", LineAt(0), kAuthors, {}, {Clean, Between(kImgSrcRoot, kQuote)}, {},
           CoverAt(sites::kOhzora)},
          {"price", LineAt(0), kPrice, {}, {Clean, Between("</span>", kYen)}, {}, Into(&TBase::Price)},
          {"size", LineAt(0), kSize, {}, {Clean, Between("</span>", "</li")}, {}, SizeField},
          {"label", LineAt(0), kSize, {}, {Clean, Between("\">", "</a>")}, {}, Into(&TBase::Label)},
          {"size, price (list)", kNothing, "<ul>", kOnceFound, {}, {}, ParticularsList},
          {"label (path)", LineAt(0), kBreadcrumb, {}, {Clean, LastBreadcrumb}, {}, Into(&TBase::Label)},
          {"cover image URL", LineAt(0), kNewReleaseImage, {}, {NewReleaseImagePath, Before(kQuote)}, {},
           CoverAt(sites::kOhzora)},
          {"description", CollectFromHereUntil("</dl>"), "<dd>", {}, {},
           {Clean, Remove("<dd>"), Remove("</dd>"), BrToCrLf, Replace("<br />", "\r\n"), TrimBlanks},
           All(Into(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeOhzora(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Ohzora(), pagePath, ctx);
}

}  // namespace okuzuke
