#pragma once
// The conversion commands of the source view: tag case, line breaks to BR,
// escape sequences and tag removal, each one undoable step.

#include "tools/conversions.h"

class CAppSettings;
class CVeskHtmlView;

// Gives the view the five conversion commands with their update handlers.
void InstallConversionCommands(CVeskHtmlView& view, CAppSettings& settings);

// Makes tag insertion of every view apply the SizeLower setting.
void InstallTagCaseConversion();

// The commands themselves.
// Tag and attribute names of the selection, or of the whole text when nothing
// is selected, to the case; the selection stays as it was.
void RunTagCaseConversion(CVeskHtmlView& view, vesk::TagCase tagCase);
// BR tags before the line breaks of the selection (or the whole text); the
// caret goes to the start of the converted range.
void RunBreaksToBr(CVeskHtmlView& view);
// Asks for the switches, then escapes the selection and selects the result.
void RunEscapeConversion(CVeskHtmlView& view);
// Deletes the tags of the selection; the caret goes to its start.
void RunRemoveTags(CVeskHtmlView& view);
