// The words publisher rule tables are written in: cuts and steps on the work
// text, and stores that put the result into the Book record.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "publishers/frame.h"

namespace okuzuke::scraping {

// --- Cuts ----------------------------------------------------------------

// ExtractAfter: after the first `start`, cut before the first following `end`
// (the whole rest when `end` is absent); empty when `start` is absent.
TextStep Between(std::string_view start, std::string_view end);
// The text before the first `marker`; empty when it is absent.
TextStep Before(std::string_view marker);
// The same, one byte shorter: the byte just before `marker` goes too.
TextStep BeforeLessOne(std::string_view marker);
// Everything after the first `marker` (empty when it is absent).
TextStep After(std::string_view marker);

// --- Steps ---------------------------------------------------------------

// Line cleaning: every TAB removed, then every CR LF pair.
void Clean(std::string& text);
void Strip(std::string& text);       // StripMarkup
void TrimBlanks(std::string& text);  // blanks and control characters at both ends
void ToAscii(std::string& text);     // FullWidthAlnumToAscii
void BrToCrLf(std::string& text);    // every "<br>" becomes CR LF
TextStep Remove(std::string_view part);
TextStep Replace(std::string_view from, std::string_view to);

// --- Stores --------------------------------------------------------------

// The text becomes the field.
Store Into(std::string TBase::*field);
// The field gets a fixed value, whatever the text.
Store Fixed(std::string TBase::*field, std::string_view value);
void SizeField(Scan& scan, const std::string& text);   // NormalizeBookSize
void DateFields(Scan& scan, const std::string& text);  // ParseReleaseDate
// NormalizeTitle sets Title and Volume; the remarks it returns go to Subtitle.
void TitleVolumeSubtitle(Scan& scan, const std::string& text);
// ParseAuthorCredits into the scan's credit list.
Store Credits(std::string_view separator, std::string_view breakSeparator,
              std::string_view subSeparator);
// CoverUrl := site base + "/" + the cut path. An empty cut names no image and
// leaves the field alone (it would otherwise store the bare site address).
Store CoverAt(std::string_view siteBase);
// CoverUrl := the cut address as it stands (already absolute); empty leaves
// the field alone.
void CoverAsIs(Scan& scan, const std::string& text);
// Description := prefix + text (replacing any earlier value).
Store DescriptionWith(std::string_view prefix);
void MarkFound(Scan& scan, const std::string& text);
void MarkDone(Scan& scan, const std::string& text);

// Several stores in order, each given the same text.
template <typename... Stores>
Store All(Stores... stores) {
  return [... stores = Store(std::move(stores))](Scan& scan, const std::string& text) {
    (stores(scan, text), ...);
  };
}

// --- Stores (later additions) ---------------------------------------------

// The text becomes the field; an empty text leaves the field as it was (a
// value the page shows blank names nothing).
Store IntoUnlessEmpty(std::string TBase::*field);
// CoverAt, except that a path holding `placeholder` (the site's picture for
// "no cover yet") leaves the field alone.
Store CoverAtUnless(std::string_view siteBase, std::string_view placeholder);

// --- Finish conditions -----------------------------------------------------

// The title rule fired and left a title: a page whose heading is there but
// empty is no book.
bool WhenFoundWithTitle(const Scan& scan);

}  // namespace okuzuke::scraping
