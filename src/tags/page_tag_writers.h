#pragma once
// The writers of the page skeletons and the page-structure tags, and the menu
// commands that run them. A writer shows its dialog prefilled from data and,
// once it is confirmed, writes the text and leaves what was confirmed in
// data. False, and the document unchanged, when the dialog was cancelled.

#include "tagedit/tag_scanner.h"
#include "tags/page_tags.h"

class CVeskHtmlView;

namespace vesk {

// The skeletons and the document type are only ever inserted: the selection
// stays and the text follows it.
bool WritePageSkeleton(CVeskHtmlView& view, PageSkeletonData& data);
bool WriteFrameSkeleton(CVeskHtmlView& view, FrameSkeletonData& data);
bool WriteDoctype(CVeskHtmlView& view, DoctypeData& data);

// mode: kWriterInsert, or kWriterEdit to rewrite the tag the scanner holds.
bool WriteBody(CVeskHtmlView& view, BodyData& data, int mode, const CTagScanner& scanner);
// In edit mode the whole tag is rebuilt: attributes the dialog does not know go.
bool WriteMeta(CVeskHtmlView& view, MetaData& data, int mode, const CTagScanner& scanner);
bool WriteFrameset(CVeskHtmlView& view, FramesetData& data, int mode, const CTagScanner& scanner);
bool WriteFrame(CVeskHtmlView& view, FrameData& data, int mode, const CTagScanner& scanner);

// Gives the view the commands of the skeletons and the page-structure tags.
void InstallPageTagCommands(CVeskHtmlView& view);

}  // namespace vesk
