#include "core/dispatch.h"

#include <gtest/gtest.h>

#include "text/isbn.h"

namespace okuzuke {
namespace {

struct DispatchCase {
  const char* isbn;
  bool tenDigitInput;
  const char* url;
  ScraperId scraper;
  SearchStage search;
};

TEST(Dispatch, EveryRowBuildsItsAddress) {
  const DispatchCase cases[] = {
      {"9784088700001", false,
       "http://books.shueisha.co.jp/CGI/search/syousai_put.cgi?isbn_cd=978-4-08-870000-1&mode=1",
       ScraperId::Shueisha, SearchStage::None},
      {"9784091234567", false, "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=9784091234567",
       ScraperId::Shogakukan, SearchStage::None},
      {"9784091234567", true, "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=4091234569",
       ScraperId::Shogakukan, SearchStage::None},
      {"9784592123456", false, "http://www.s-book.net/plsql/slib_search?pat=i&text=9784592123456",
       ScraperId::SBook, SearchStage::SBook},
      {"9784396123456", false, "http://www.s-book.net/plsql/slib_detail?isbn=9784396123456",
       ScraperId::SBook, SearchStage::None},
      {"9784061234567", false, "http://shop.kodansha.jp/bc2_bc/search_view.jsp?b=4061234560",
       ScraperId::Kodansha, SearchStage::None},
      {"9784253123456", false,
       "http://www.akitashoten.co.jp/CGI/search/syousai_put.cgi?key=search&isbn=4253123457",
       ScraperId::AkitaShoten, SearchStage::None},
      {"9784041234567", false,
       "http://www.kadokawa.co.jp/search_plus/index.php?title=&auther=&isbn=123456",
       ScraperId::Kadokawa, SearchStage::Kadokawa},
      {"9784829112345", false,
       "http://www.fujimishobo.co.jp/search_plus/index.php?s=8291-1234&&ss=isbn&&simple=1",
       ScraperId::Kadokawa, SearchStage::Kadokawa},
      {"9784840212345", false, "http://asciimw.jp/search/isbn/978-4-8402-1234-5",
       ScraperId::AsciiMediaWorks, SearchStage::None},
      {"9784840212345", true, "http://asciimw.jp/search/isbn/4-8402-1234-1",
       ScraperId::AsciiMediaWorks, SearchStage::None},
      {"9784575123456", false,
       "http://www.futabasha.co.jp/booksdb/book/bookview/978-4-575-12345-6.html?c=20401&o=date&type=t&word=9784575123456",
       ScraperId::Futabasha, SearchStage::None},
      {"9784757712345", false,
       "http://www.enterbrain.co.jp/cgi-bin/namazu.cgi?query=978-4-7577-1234-5",
       ScraperId::Enterbrain, SearchStage::Enterbrain},
      {"9784840112345", false,
       "http://www.mediafactory.co.jp/cgi-bin/utils/search_item101.cgi?button_name=search_isbncode&search_isbncode=978-4-8401-1234-5",
       ScraperId::MediaFactoryNew, SearchStage::MediaFactory},
      {"9784889912345", false,
       "http://www.mediafactory.co.jp/cgi-bin/utils/search_item101.cgi?button_name=search_isbncode&search_isbncode=978-4-88991-234-5",
       ScraperId::MediaFactoryNew, SearchStage::MediaFactory},
      {"9784051234567", false, "http://shop.gakken.co.jp/shop/order/k_ok/bookdisp.asp?isbn=4051234568",
       ScraperId::Gakken, SearchStage::None},
      {"9784847012345", false, "http://www.wani.co.jp/index.php?goods=978-4-8470-1234-5",
       ScraperId::Wani, SearchStage::None},
      {"9784776712345", false,
       "http://www.ohzora.co.jp/release/detail/?format=comics&isbn=978-4-7767-1234-5",
       ScraperId::Ohzora, SearchStage::None},
      {"9784872871234", false,
       "http://www.ohzora.co.jp/release/detail/?format=comics&isbn=978-4-87287-123-4",
       ScraperId::Ohzora, SearchStage::None},
      {"9784832212345", false,
       "http://www.houbunsha.co.jp/cgi-local/cgi/_comicView_2.pl?isbn=978-4-8322-1234-5",
       ScraperId::Houbunsha, SearchStage::None},
      {"9784861270001", false, "http://www.mag-garden.co.jp/view.php?mode=detail&isbn=4861270006",
       ScraperId::MagGarden, SearchStage::None},
      {"9784901926123", false, "http://www.mag-garden.co.jp/view.php?mode=detail&isbn=4901926128",
       ScraperId::MagGarden, SearchStage::None},
  };
  for (const auto& c : cases) {
    auto request = Dispatch(c.isbn, c.tenDigitInput);
    ASSERT_TRUE(request) << c.isbn;
    EXPECT_EQ(request->url, c.url) << c.isbn;
    EXPECT_EQ(request->row->scraper, c.scraper) << c.isbn;
    EXPECT_EQ(request->row->search, c.search) << c.isbn;
  }
}

TEST(Dispatch, FirstMatchingRowWinsAndUnknownPrefixesGoNowhere) {
  // 97848402 (ASCII Media Works) is tested after 978404 and 97848291 only.
  EXPECT_EQ(Dispatch("9784840212345", false)->row->order, 8);
  EXPECT_FALSE(Dispatch("9784101234567", false));  // no row for 978410
  EXPECT_FALSE(Dispatch("9791234567890", false));
  EXPECT_FALSE(Dispatch("", false));
}

TEST(Dispatch, AnAddOnCodeStaysOutOfTheAddress) {
  auto request = Dispatch("97840912345671920979004204", false);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->url, "http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=9784091234567");
}

TEST(Dispatch, MalformedCodesThrowInsteadOfReadingPastTheEnd) {
  EXPECT_THROW(Dispatch("978408", false), InvalidIsbn);        // too short for its path
  EXPECT_THROW(Dispatch("97840612345X7", false), InvalidIsbn);  // no ISBN-10 form
}

TEST(SearchStages, KadokawaFallsBackToAsciiMediaWorks) {
  SearchHit hit = KadokawaFallback("9784041234567");
  EXPECT_EQ(hit.url, "http://asciimw.jp/search/isbn/978-4-04-123456-7");
  EXPECT_EQ(hit.scraper, ScraperId::AsciiMediaWorks);
}

}  // namespace
}  // namespace okuzuke
