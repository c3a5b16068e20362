// Futabasha's book page: UTF-8 without a byte order mark. The title block's
// next line holds the title in "<strong>" and its reading in brackets; the
// writer ("著 ：") and artist ("画 ：") lines are written to the author fields
// directly, and the two credit lines also go to the other authors. A header
// tab image marks the adult section.
#include "publishers/page_texts.h"
#include "publishers/publisher_scrapers.h"
#include "publishers/sites.h"
#include "scraping/frame.h"
#include "scraping/rule_vocabulary.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

using namespace scraping;

constexpr std::string_view kTitleBlock = "bookblock_title";
constexpr std::string_view kPublisherName = "双葉社"_sjis;
constexpr std::string_view kWriter = "著 ："_sjis;
constexpr std::string_view kArtist = "画 ："_sjis;
constexpr std::string_view kWriterCredit = "\r\n著 ："_sjis;
constexpr std::string_view kArtistCredit = "\r\n画 ："_sjis;
// The credit line's own markup before the name, skipped before the name is
// cut; no name is longer than the rest kept.
constexpr std::size_t kCreditLead = 19;
constexpr std::size_t kCreditSpan = 1000;
constexpr std::string_view kSize = "判型："_sjis;
constexpr std::string_view kReleaseDate = "発売日："_sjis;
constexpr std::string_view kPrice = "定価："_sjis;
constexpr std::string_view kAboutTheBook = "<strong>本の紹介</strong>"_sjis;
constexpr std::string_view kAdultTab = "src=\"assets/img/0-navi/common/header/tab_f3.gif\"";
constexpr std::string_view kAdult = "成年"_sjis;

// A finished series is marked " 完" after its title; the mark is dropped and
// recorded nowhere.
void WithoutCompletedMark(std::string& title) {
  static constexpr std::string_view kCompleted = " 完"_sjis;
  if (EndsWith(title, kCompleted)) title.resize(title.size() - kCompleted.size());
}

// The credit lines stand in the other authors only when both names were found.
void KeepCreditsOfBoth(Scan& scan) {
  if (scan.book.Author1.empty() || scan.book.Author2.empty()) scan.book.OtherAuthors.clear();
}

const Publisher& Futabasha() {
  static const std::string coverPattern = std::string(sites::kFutabasha) + "/assets/cover/book/ISBN<ISBN>.jpg";
  static const Publisher publisher{
      .key = "futabasha",
      .encoding = PageEncoding::Utf8,
      .entities = {kAmp, kQuot, kLt, kGt},
      .scan = {.firstLine = 0, .minLines = 1, .lastFromEnd = 1},
      .credits = CreditOrder::Sorted,
      .finishWhen = WhenFound,
      .rating = kAllAges,
      .rules = {
          // fields, line taken, marker on line i, condition, cut, post-processing, store
          {"title, volume, subtitle, publisher", LineAt(+1), kTitleBlock, {},
           {Clean, Replace("&nbsp;", " "), Remove("コミック文庫)"_sjis), Between("<strong>", "</strong>"),
            WithoutCompletedMark},
           {}, All(TitleVolumeSubtitle, Fixed(&TBase::Publisher, kPublisherName), MarkFound)},
          {"title reading", LineAt(+1), kTitleBlock, {}, {Between("<br>(", ")<br>")}, {}, Into(&TBase::TitleReading)},
          {"author 1, credit text", LineAt(0), kWriter, {},
           {Clean, DropThenKeep(kCreditLead, kCreditSpan), Between(">", "<span")}, {},
           All(Into(&TBase::Author1), AppendTo(&TBase::OtherAuthors, kWriterCredit))},
          {"author 1 reading", LineAt(0), kWriter, {}, {Between("（"_sjis, "）"_sjis)}, {},
           Into(&TBase::Author1Reading)},
          {"author 2, credit text", LineAt(0), kArtist, {},
           {Clean, DropThenKeep(kCreditLead, kCreditSpan), Between(">", "<span")}, {},
           All(Into(&TBase::Author2), AppendTo(&TBase::OtherAuthors, kArtistCredit))},
          {"author 2 reading", LineAt(0), kArtist, {}, {Between("（"_sjis, "）"_sjis)}, {},
           Into(&TBase::Author2Reading)},
          {"size", LineAt(0), kSize, {}, {Clean, Between(kSize, "<br>")}, {}, SizeField},
          {"release date", LineAt(0), ">発売日"_sjis, {}, {Clean, Between(kReleaseDate, "<br>")}, {}, DateFields},
          {"price", LineAt(0), kPrice, {}, {Clean, Remove(","), Between(kPrice, kYen)}, {}, Into(&TBase::Price)},
          {"cover image URL", LineAt(0), "bookblock_coverpic", {}, {Between("ISBN", ".jpg\"")}, {},
           CoverTemplate(coverPattern)},
          {"description", LineAt(+1), kAboutTheBook, {}, {Clean, Remove("</span>")}, {},
           All(Into(&TBase::Description), MarkDone)},
          // After the description, so it is still tested on the line that ends the scan.
          {"rating", kNothing, kAdultTab, {}, {}, {}, Rating(kAdult)},
      },
      .beforeFinish = KeepCreditsOfBoth};
  return publisher;
}

}  // namespace

int ScrapeFutabasha(const std::string& pagePath, ScrapeContext& ctx) {
  return Scrape(Futabasha(), pagePath, ctx);
}

}  // namespace okuzuke
