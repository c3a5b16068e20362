#include "scraping/scrape_report.h"

#include "text/codepage.h"
#include "text/sjis.h"

namespace okuzuke {

std::string FormatScrapeReport(int result, const TBase& book) {
  std::string report = "result\t" + std::to_string(result) + "\n";
  for (const BookFieldInfo& field : kBookFields) {
    const std::string& value = book.*field.member;
    if (value.empty()) continue;
    report += field.name;
    report += '\t';
    report += Cp932ToUtf8(ReplaceAll(value, "\r\n", "$$"));
    report += '\n';
  }
  return report;
}

}  // namespace okuzuke
