#pragma once
// Command ids. They are the identity of each command in menus, toolbars,
// settings (toolbar layouts store them) and routing.

namespace cmd {

// Application.
constexpr int kAppAbout = 57664;
constexpr int kSettings = 4;
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFileMruFirst = 57616;  // recent files 1 to 10
constexpr int kFileMruLast = 57625;
constexpr int kAppExit = 57665;
constexpr int kCloseAll = 32773;
constexpr int kSaveAll = 32830;
constexpr int kHelp = 32833;
constexpr int kReadMe = 32775;
constexpr int kOpenPreviousDocuments = 32832;

// File groups.
constexpr int kGroupOpen = 32834;
constexpr int kGroupClose = 32894;
constexpr int kGroupEdit = 32835;

// Edit.
constexpr int kEditClear = 57632;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditSelectAll = 57642;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;

// View.
constexpr int kRedraw = 32786;
constexpr int kFind = 32904;
constexpr int kReplace = 32905;
constexpr int kFindInFiles = 33120;

// Windows.
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;
constexpr int kWindowTileToggle = 32778;  // toolbar button: tile or cascade
constexpr int kWindowBack = 32897;
constexpr int kWindowForward = 32898;
constexpr int kWindowFirst = 0xFF00;  // the window list of the window menu
constexpr int kWindowLast = 0xFF00 + 99;

// External applications.
constexpr int kPreviewIe = 32794;
constexpr int kPreviewNn = 32793;
constexpr int kOpenWithApplication = 32807;
constexpr int kOpenWithFavourite = 32810;
constexpr int kOpenInEditor = 32811;
constexpr int kStartFileManager = 32792;

// Side pane.
constexpr int kViewSidePane = 32784;
constexpr int kShowDocumentInFileBrowser = 32818;
constexpr int kShowLinkInFileBrowser = 32821;
constexpr int kShowLinkInLinkBrowser = 32886;

// Encodings of the document: re-read in, save in. Offsets follow vesk::TextEncoding.
constexpr int kReloadUtf8 = 33100;
constexpr int kReloadShiftJis = 33101;
constexpr int kReloadEucJp = 33102;
constexpr int kReloadIso2022Jp = 33103;
constexpr int kReloadWindows1252 = 33104;
constexpr int kSaveUtf8 = 33110;
constexpr int kSaveShiftJis = 33111;
constexpr int kSaveEucJp = 33112;
constexpr int kSaveIso2022Jp = 33113;
constexpr int kSaveWindows1252 = 33114;
constexpr int kSaveUtf8Bom = 33115;

// Text tools.
constexpr int kToPlainText = 32865;
constexpr int kTagLower = 32836;
constexpr int kTagUpper = 32837;
constexpr int kBreaksToBr = 32870;
constexpr int kEscapeConversion = 32878;
constexpr int kRemoveTags = 32901;
constexpr int kEditTag = 32893;
constexpr int kColourCodeCopy = 32968;
constexpr int kColourCodeSwap = 32969;
constexpr int kDateStamp = 32877;
constexpr int kNewMap = 32873;

}  // namespace cmd
