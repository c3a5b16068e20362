#include "core/search_links.h"

#include "text/charset.h"
#include "text/markup.h"
#include "text/sjis.h"
#include "text/sjis_literal.h"

namespace okuzuke {

namespace {

// An address on a search page: absolute as it stands, else on the site.
std::string ResolveLink(std::string_view site, std::string_view link) {
  if (link.substr(0, 7) == "http://" || link.substr(0, 8) == "https://") return std::string(link);
  std::string url(site);
  if (link.empty() || link[0] != '/') url += '/';
  url += link;
  return url;
}

std::optional<SearchHit> SBookLink(std::string_view site, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!Contains(line, "<a href=\"slib_detail?isbn")) continue;
    std::string link = ExtractAfter(line, "<a href=\"", "\">");
    if (link.empty()) return std::nullopt;
    return SearchHit{std::string(site) + "/plsql/" + link, ScraperId::SBook};
  }
  return std::nullopt;
}

std::optional<SearchHit> KadokawaLink(std::string_view site, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!Contains(line, "/book/bk_search.php?pcd=") && !Contains(line, "/comic/bk_search.php?pcd=") &&
        !Contains(line, "/lnovel/bk_search.php?pcd="))
      continue;
    std::string link = ExtractAfter(line, "<a href=\"/", "\">");
    if (link.empty()) return std::nullopt;
    return SearchHit{std::string(site) + "/" + link, ScraperId::Kadokawa};
  }
  return std::nullopt;
}

std::optional<SearchHit> EnterbrainLink(std::string_view site, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (!Contains(line, "/product/")) continue;
    std::string link = ExtractAfter(line, "<a href=\"", "\" target=\"_top\">");
    if (link.empty()) return std::nullopt;
    return SearchHit{ResolveLink(site, link), ScraperId::Enterbrain};
  }
  return std::nullopt;
}

constexpr std::string_view kMediaFactoryNoHits = "このキーワードでの検索結果は0件です。"_sjis;
constexpr std::string_view kMediaFactoryPager = "<!--ページ送りここから-->"_sjis;

std::optional<SearchHit> MediaFactoryLink(std::string_view site,
                                          const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (Contains(line, kMediaFactoryNoHits) || Contains(line, kMediaFactoryPager)) return std::nullopt;
    if (!Contains(line, "<td class=\"author\"><")) continue;
    std::string link = ExtractAfter(line, "<td class=\"author\"><h4><a href=\"", "\">");
    if (link.empty()) return std::nullopt;
    ScraperId scraper = Contains(link, "bunkoj") ? ScraperId::MediaFactoryNew : ScraperId::MediaFactoryOld;
    return SearchHit{ResolveLink(site, link), scraper};
  }
  return std::nullopt;
}

}  // namespace

std::optional<SearchHit> FindDetailLink(SearchStage stage, std::string_view site,
                                        const std::vector<std::string>& lines) {
  switch (stage) {
    case SearchStage::SBook: return SBookLink(site, lines);
    case SearchStage::Kadokawa: return KadokawaLink(site, lines);
    case SearchStage::Enterbrain: return EnterbrainLink(site, lines);
    case SearchStage::MediaFactory: return MediaFactoryLink(site, lines);
    case SearchStage::None: break;
  }
  return std::nullopt;
}

std::vector<std::string> SearchPageLines(SearchStage stage, std::string_view pageBytes) {
  if (stage == SearchStage::MediaFactory) return SplitLines(EucToSjis(pageBytes));
  return SplitLines(pageBytes);
}

}  // namespace okuzuke
