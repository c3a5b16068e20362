// Enterbrain's product page: Shift-JIS. Each particular is a definition
// headed by a "spec_title_*.gif" image, its value on the next line; the
// contents block runs up to its "</div>". The footer (the last 32 lines) is
// never tested.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr int kFooterLines = 33;

constexpr std::string_view kPublisherName = "エンターブレイン"_sjis;
constexpr std::string_view kProductImage = "<img src=\"/up_files/product/";

const Publisher& Enterbrain() {
  static const Publisher publisher{
      .key = "enterbrain",
      .encoding = PageEncoding::ShiftJis,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = kFooterLines, .lastFromEnd = kFooterLines},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle, publisher", LineAt(+1), "spec_title_name.gif", {}, {Clean, Strip}, {},
           All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"authors", LineAt(+1), "spec_title_author.gif", {}, {Clean},
           {Replace("＆"_sjis, "、"_sjis), Replace(kFullWidthSlash, "/"), Strip}, Credits("/", "/", "、"_sjis)},
          {"label", LineAt(0), "up_files/product/category/", {}, {Clean, Between("alt=\"", kQuote)},
           {Strip, TrimBlanks}, Into(&TBase::Label)},
          {"size", LineAt(+1), "spec_title_size.gif", {}, {Clean, Strip}, {}, SizeField},
          {"page count", LineAt(+1), "spec_title_pagecount.gif", {}, {Clean, Strip}, {}, Into(&TBase::PageCount)},
          {"release date", LineAt(+1), "spec_title_release.gif", {}, {Clean, Strip}, {}, DateFields},
          {"price", LineAt(+1), "spec_title_price.gif", {}, {Clean, Remove(","), Between("<dd>", kYen)}, {},
           Into(&TBase::Price)},
          // A "nowprint" image stands in for a cover not yet made.
          {"cover image URL", LineAt(0), kProductImage, {}, {Between("<img src=\"/", "\" alt=")}, {},
           UnlessHas("nowprint", CoverAt(sites::kEnterbrain))},
          {"description", CollectUntil("</div>").EachLine(Strip), "spec_title_cont.gif", {}, {}, {},
           All(AppendTo(&TBase::Description), MarkDone)},
      }};
  return publisher;
}

}  // namespace

int ScrapeEnterbrain(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Enterbrain(), pagePath, ctx);
}

}  // namespace okuzuke
