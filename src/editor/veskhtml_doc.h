#pragma once
// The document of one edited file. Its text lives in the control of its one
// view; the document moves it between the file and the control and remembers
// how the file was encoded, so that saving writes it back the same way.

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "core/command_target.h"
#include "platform/encoding.h"
#include "platform/own_code_lines.h"

class CVeskHtmlView;

class CVeskHtmlDoc : public QObject, public CCommandTarget {
    Q_OBJECT
  public:
    static const QString kUntitledName;  // "無題のﾌｧｲﾙ"

    CVeskHtmlDoc();
    ~CVeskHtmlDoc() override;

    void AttachView(CVeskHtmlView* view) { view_ = view; }
    CVeskHtmlView* View() const { return view_; }

    // Empty for an untitled document.
    const QString& PathName() const { return path_; }
    QString Title() const { return title_; }
    void SetUntitledTitle(const QString& title);

    // Opened as part of a file group (the group close command closes only those).
    bool openedByGroup = false;

    bool IsModified() const { return modified_; }
    void SetModified(bool modified);

    vesk::TextEncoding Encoding() const { return encoding_; }
    bool HasBom() const { return bom_; }
    vesk::LineBreakStyle LineBreaks() const { return lineBreaks_; }
    // "UTF-8 / CRLF" and the like, for the status bar.
    QString EncodingDescription() const;

    // Reads the file into the view. False with the system's reason on failure;
    // the document is then unchanged.
    bool Load(const QString& path, QString* error);
    // Reads the file again as the given encoding (the user's choice).
    bool ReloadAs(vesk::TextEncoding encoding);

    // Save (the file is written anew; Save As when there is no file at the path).
    bool OnFileSave();
    bool OnFileSaveAs();
    // Writes the text to the path; false after showing the reason.
    bool DoSave(const QString& path);
    // Save in the given encoding (UTF-8 with or without BOM) from now on. When the page
    // declares another charset, offers to rewrite the declaration first.
    bool SaveInEncoding(vesk::TextEncoding encoding, bool bom = false);
    // The save prompt of a closing document: false when the user cancelled.
    bool SaveModified();

    // The bytes a save would write now; nullopt after telling the user that
    // the text cannot be held by the encoding and they declined UTF-8.
    std::optional<std::string> BytesToSave();

  signals:
    void TitleChanged();
    void ModifiedChanged(bool modified);
    void EncodingChanged();
    // A new path was given by Save As.
    void PathNameChanged(const QString& path);

  private:
    void SetPathName(const QString& path);
    // Takes what was read into the view; fileBytes are the file's bytes as read.
    void TakeDecoded(std::string fileBytes, vesk::DecodedText decoded);
    void ForgetOriginal();
    // The user's answer to rewriting the page's charset declaration for encoding.
    enum class Declaration { Kept, Rewritten, Cancelled };
    Declaration OfferDeclarationRewrite(vesk::TextEncoding encoding);

    CVeskHtmlView* view_ = nullptr;
    QString path_;
    QString title_;
    bool modified_ = false;
    vesk::TextEncoding encoding_ = vesk::TextEncoding::Utf8;
    bool bom_ = false;
    vesk::LineBreakStyle lineBreaks_ = vesk::LineBreakStyle::None;
    // When re-encoding the loaded text would not give the file's bytes back
    // (CP932's doubled codes, some ISO-2022-JP files), the bytes and text as
    // loaded, so that an unedited save writes the very same file, and for
    // Shift-JIS the lines with the file's own codes, for edited saves.
    std::string originalBytes_;
    std::string originalText_;
    vesk::OwnCodeLines ownCodeLines_;
};
