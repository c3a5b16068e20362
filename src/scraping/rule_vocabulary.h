// The words publisher rule tables are written in: cuts and steps on the work
// text, and stores that put the result into the Book record.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "scraping/frame.h"

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
// The text from the first `marker` on, the marker included (empty when it is
// absent).
TextStep From(std::string_view marker);
// The text from the first `marker` on, beginning where `part` stands within
// the marker ("<img src=\"/goods_img/" from "goods_img/"); empty when the
// marker is absent.
TextStep FromPartOf(std::string_view marker, std::string_view part);
// The text before the first `marker`; the whole text when it is absent.
TextStep UpTo(std::string_view marker);
// The first `skip` bytes dropped, then at most `keep` bytes kept.
TextStep DropThenKeep(std::size_t skip, std::size_t keep);

// --- Steps ---------------------------------------------------------------

// Line cleaning: every TAB removed, then every CR LF pair.
void Clean(std::string& text);
void Strip(std::string& text);       // StripMarkup
void TrimBlanks(std::string& text);  // blanks and control characters at both ends
void TrimLeftBlanks(std::string& text);  // the same at the start only
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
// CoverUrl := `pattern` with its "<ISBN>" placeholder replaced by the cut
// text; an empty cut leaves the field alone.
Store CoverTemplate(std::string_view pattern);
// Description := prefix + text (replacing any earlier value).
Store DescriptionWith(std::string_view prefix);
// The field gets prefix + text appended to what it holds.
Store AppendTo(std::string TBase::*field, std::string_view prefix = {});
// The scan's memo text (kept for the publisher's own steps).
void IntoMemo(Scan& scan, const std::string& text);
// The age-rating text handed to the private preferences becomes `rating`.
Store Rating(std::string_view rating);
void MarkFound(Scan& scan, const std::string& text);
void MarkDone(Scan& scan, const std::string& text);

// --- Conditions on the finished text --------------------------------------

// `store` runs unless the text holds `part` (a placeholder image, markup).
Store UnlessHas(std::string_view part, Store store);
// `store` runs unless the text is empty.
Store UnlessEmpty(Store store);
// `store` runs only while the field is still empty (the first value wins).
Store WhileEmpty(std::string TBase::*field, Store store);
// A text equal to `noBook` (the page's "no such item") ends the scan at once,
// before any further rule; any other text goes to `store`.
Store EndScanIfEquals(std::string_view noBook, Store store);

// Several stores in order, each given the same text.
template <typename... Stores>
Store All(Stores... stores) {
  return [... stores = Store(std::move(stores))](Scan& scan, const std::string& text) {
    (stores(scan, text), ...);
  };
}

}  // namespace okuzuke::scraping
