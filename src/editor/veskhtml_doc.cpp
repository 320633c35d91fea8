#include "editor/veskhtml_doc.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "core/command_ids.h"
#include "editor/doc_messages.h"
#include "editor/save_rules.h"
#include "editor/veskhtml_view.h"
#include "platform/file_dialog_seam.h"
#include "platform/file_io.h"
#include "platform/message_seam.h"
#include "platform/settings_store.h"

using vesk::LineBreakStyle;
using vesk::MsgAnswer;
using vesk::MsgButtons;
using vesk::MsgIcon;
using vesk::TextEncoding;

const QString CVeskHtmlDoc::kUntitledName = QStringLiteral("無題のﾌｧｲﾙ");

namespace {
QString EncodingLabel(TextEncoding encoding) {
    return QString::fromUtf8(vesk::EncodingName(encoding).data(),
                             static_cast<int>(vesk::EncodingName(encoding).size()));
}
}  // namespace

CVeskHtmlDoc::CVeskHtmlDoc() : title_(kUntitledName) {
    OnCommand(cmd::kFileSave, [this] { OnFileSave(); });
    OnCommand(cmd::kFileSaveAs, [this] { OnFileSaveAs(); });
    const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::ShiftJis,
                                      TextEncoding::EucJp, TextEncoding::Iso2022Jp,
                                      TextEncoding::Windows1252};
    for (int i = 0; i < 5; ++i) {
        const TextEncoding encoding = encodings[i];
        OnCommand(
            cmd::kReloadUtf8 + i, [this, encoding] { ReloadAs(encoding); },
            [this, encoding](CommandState& state) {
                state.enabled = !path_.isEmpty();
                state.checked = encoding_ == encoding;
            });
        OnCommand(
            cmd::kSaveUtf8 + i, [this, encoding] { SaveInEncoding(encoding); },
            [this, encoding](CommandState& state) {
                state.checked = encoding_ == encoding && !bom_;
            });
    }
    OnCommand(
        cmd::kSaveUtf8Bom, [this] { SaveInEncoding(TextEncoding::Utf8, true); },
        [this](CommandState& state) { state.checked = encoding_ == TextEncoding::Utf8 && bom_; });
}

CVeskHtmlDoc::~CVeskHtmlDoc() = default;

void CVeskHtmlDoc::SetUntitledTitle(const QString& title) {
    title_ = title;
    emit TitleChanged();
}

void CVeskHtmlDoc::SetModified(bool modified) {
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit ModifiedChanged(modified);
}

void CVeskHtmlDoc::SetPathName(const QString& path) {
    path_ = QFileInfo(path).absoluteFilePath();
    title_ = QFileInfo(path_).fileName();
    emit TitleChanged();
    emit PathNameChanged(path_);
}

QString CVeskHtmlDoc::EncodingDescription() const {
    QString text = EncodingLabel(encoding_);
    if (bom_)
        text += " (BOM付き)";
    auto breaks = vesk::LineBreakName(lineBreaks_);
    return text + " / " + QString::fromUtf8(breaks.data(), static_cast<int>(breaks.size()));
}

void CVeskHtmlDoc::ForgetOriginal() {
    std::string().swap(originalBytes_);
    std::string().swap(originalText_);
    ownCodeLines_ = vesk::OwnCodeLines();
}

void CVeskHtmlDoc::TakeDecoded(std::string fileBytes, vesk::DecodedText decoded) {
    encoding_ = decoded.encoding;
    bom_ = decoded.bom;
    lineBreaks_ = decoded.breaks;
    ForgetOriginal();
    const bool keepOriginal = decoded.otherCodesOnEncoding;
    if (keepOriginal) {
        if (encoding_ == TextEncoding::ShiftJis) {
            vesk::EncodeResult again = vesk::EncodeText(decoded.utf8, encoding_);
            if (again.ok)
                ownCodeLines_ = vesk::OwnCodeLines::Collect(fileBytes, decoded.utf8, again.bytes);
        }
        originalBytes_ = std::move(fileBytes);
    } else {
        // Large files: hold no more copies of the text than needed.
        std::string().swap(fileBytes);
    }
    std::string text =
        lineBreaks_ == vesk::LineBreakStyle::Lf || lineBreaks_ == vesk::LineBreakStyle::Cr
            ? vesk::BreaksToCrLf(decoded.utf8, lineBreaks_)
            : std::move(decoded.utf8);
    std::string().swap(decoded.utf8);
    if (keepOriginal)
        originalText_ = text;
    if (view_)
        view_->TakeText(std::move(text));
}

bool CVeskHtmlDoc::Load(const QString& path, QString* error) {
    vesk::FileReadResult file = vesk::ReadWholeFile(path);
    if (!file.ok) {
        if (error)
            *error = file.error;
        return false;
    }
    vesk::DecodedText decoded = vesk::DecodeFileBytes(file.bytes);
    const bool guessed = decoded.guessed;
    SetPathName(path);
    TakeDecoded(std::move(file.bytes), std::move(decoded));
    SetModified(false);
    emit EncodingChanged();
    if (guessed) {
        vesk::ShowMessage(doc_text::GuessedEncoding(path_), doc_text::kCaption,
                          MsgIcon::Information);
    }
    return true;
}

bool CVeskHtmlDoc::ReloadAs(TextEncoding encoding) {
    if (path_.isEmpty())
        return false;
    if (modified_ && vesk::ShowMessage(doc_text::kReloadLosesEdits, doc_text::kCaption,
                                       MsgIcon::Question, MsgButtons::OkCancel) != MsgAnswer::Ok) {
        return false;
    }
    vesk::FileReadResult file = vesk::ReadWholeFile(path_);
    if (!file.ok) {
        vesk::ShowMessage(doc_text::CannotOpen(path_) + "\r\n" + file.error, doc_text::kCaption,
                          MsgIcon::Error);
        return false;
    }
    std::string_view bytes = file.bytes;
    vesk::DecodedText decoded;
    decoded.encoding = encoding;
    if (encoding == TextEncoding::Utf8 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        decoded.bom = true;
    }
    std::optional<std::string> text = vesk::DecodeAs(bytes, encoding);
    if (!text) {
        vesk::ShowMessage(doc_text::CannotDecode(EncodingLabel(encoding)), doc_text::kCaption,
                          MsgIcon::Exclamation);
        return false;
    }
    decoded.utf8 = std::move(*text);
    decoded.breaks = vesk::DetectLineBreaks(decoded.utf8);
    vesk::EncodeResult again = vesk::EncodeText(decoded.utf8, encoding, decoded.bom);
    decoded.otherCodesOnEncoding = !again.ok || again.bytes != file.bytes;
    TakeDecoded(std::move(file.bytes), std::move(decoded));
    SetModified(false);
    emit EncodingChanged();
    return true;
}

std::optional<std::string> CVeskHtmlDoc::BytesToSave() {
    std::string text = view_ ? view_->GetAllText() : std::string();
    if (!originalBytes_.empty() && text == originalText_)
        return originalBytes_;
    std::string stored = vesk::BreaksFromCrLf(text, lineBreaks_);
    vesk::EncodeResult encoded = vesk::EncodeText(stored, encoding_, bom_);
    if (encoded.ok)
        return ownCodeLines_.Restore(stored, std::move(encoded.bytes));

    // Never drop a character: offer UTF-8, which holds them all.
    QString character =
        QString::fromUtf8(encoded.failChar.data(), static_cast<int>(encoded.failChar.size()));
    if (vesk::ShowMessage(doc_text::CannotEncode(character, EncodingLabel(encoding_)),
                          doc_text::kCaption, MsgIcon::Exclamation,
                          MsgButtons::YesNo) != MsgAnswer::Yes) {
        return std::nullopt;
    }
    encoding_ = TextEncoding::Utf8;
    bom_ = false;
    ForgetOriginal();
    emit EncodingChanged();
    return vesk::EncodeText(stored, encoding_, bom_).bytes;
}

bool CVeskHtmlDoc::DoSave(const QString& path) {
    std::optional<std::string> bytes = BytesToSave();
    if (!bytes)
        return false;
    vesk::FileWriteResult written = vesk::WriteFileAtomically(path, *bytes);
    if (!written.ok) {
        vesk::ShowMessage(doc_text::CannotSave(QDir::toNativeSeparators(path), written.error),
                          doc_text::kCaption, MsgIcon::Error);
        return false;
    }
    // The file now holds what the text encodes to (with the lines' own codes, which
    // stay known for the next save).
    std::string().swap(originalBytes_);
    std::string().swap(originalText_);
    SetModified(false);
    return true;
}

bool CVeskHtmlDoc::OnFileSave() {
    if (path_.isEmpty() || !QFileInfo::exists(path_))
        return OnFileSaveAs();
    return DoSave(path_);
}

bool CVeskHtmlDoc::OnFileSaveAs() {
    ISettingsStore& store = AppStore();
    const QString home = QDir::homePath();
    vesk::FileDialogRequest request;
    request.mode = vesk::FileDialogRequest::Mode::Save;
    request.fileName = title_;
    request.filter = doc_text::kSaveDialogFilter;
    request.folder = store.GetProfileString("FileDlgSettings", "Initial_dir_save", home);
    request.filterIndex = store.GetProfileInt("FileDlgSettings", "Initial_filter_save", 0);

    QString chosen;
    QString path;
    int filterIndex = 0;
    for (;;) {
        vesk::FileDialogResult result = vesk::RunFileDialog(request);
        if (!result.accepted || result.paths.isEmpty())
            return false;
        chosen = result.paths.first();
        filterIndex = result.filterIndex;
        path = QString::fromStdString(
            vesk::AppendExtensionByFilter(chosen.toStdString(), filterIndex));
        if (!QFileInfo::exists(path))
            break;
        QString name = QString::fromStdString(vesk::NamePartOfPath(chosen.toStdString()));
        if (vesk::ShowMessage(doc_text::AlreadyExists(name), doc_text::kCaption, MsgIcon::Question,
                              MsgButtons::YesNoCancel) == MsgAnswer::Yes) {
            break;
        }
    }

    if (!DoSave(path))
        return false;

    std::string folder = vesk::FolderOfPath(path.toStdString());
    store.WriteProfileString("FileDlgSettings", "Initial_dir_save",
                             folder.empty() ? QString("/") : QString::fromStdString(folder));
    store.WriteProfileInt("FileDlgSettings", "Initial_filter_save", filterIndex);
    SetPathName(path);
    return true;
}

CVeskHtmlDoc::Declaration CVeskHtmlDoc::OfferDeclarationRewrite(TextEncoding encoding) {
    if (!view_)
        return Declaration::Kept;
    const std::string head = view_->Control().TextRange(0, 4096);
    const vesk::CharsetSpan span = vesk::DeclaredCharsetSpan(head);
    if (span.length == 0)
        return Declaration::Kept;
    const std::string declared = head.substr(span.offset, span.length);
    if (vesk::EncodingFromCharset(declared) == encoding)
        return Declaration::Kept;
    // Written in the case the page used: "EUC-JP" becomes "UTF-8", "euc-jp" "utf-8".
    std::string label(vesk::CharsetLabel(encoding));
    if (std::none_of(declared.begin(), declared.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        std::transform(label.begin(), label.end(), label.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    switch (vesk::ShowMessage(doc_text::RewriteDeclaration(QString::fromStdString(declared),
                                                           QString::fromStdString(label)),
                              doc_text::kCaption, MsgIcon::Question, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes:
            view_->ReplaceRange(static_cast<int>(span.offset),
                                static_cast<int>(span.offset + span.length), label);
            return Declaration::Rewritten;
        case MsgAnswer::No:
            return Declaration::Kept;
        default:
            return Declaration::Cancelled;
    }
}

bool CVeskHtmlDoc::SaveInEncoding(TextEncoding encoding, bool bom) {
    bom = bom && encoding == TextEncoding::Utf8;
    const Declaration declaration = OfferDeclarationRewrite(encoding);
    if (declaration == Declaration::Cancelled)
        return false;
    const TextEncoding oldEncoding = encoding_;
    const bool oldBom = bom_;
    // The file's own bytes and codes belong to its old encoding; they are given up only
    // once the file holds the new one.
    std::string oldBytes;
    std::string oldText;
    vesk::OwnCodeLines oldCodes;
    if (encoding != oldEncoding) {
        oldBytes.swap(originalBytes_);
        oldText.swap(originalText_);
        std::swap(oldCodes, ownCodeLines_);
    }
    encoding_ = encoding;
    bom_ = bom;
    if (OnFileSave()) {
        emit EncodingChanged();
        return true;
    }
    // Not saved: the document stays as it was, its declaration included.
    if (encoding_ == encoding) {
        encoding_ = oldEncoding;
        bom_ = oldBom;
        originalBytes_.swap(oldBytes);
        originalText_.swap(oldText);
        std::swap(ownCodeLines_, oldCodes);
    }
    if (declaration == Declaration::Rewritten && view_)
        view_->OnEditUndo();
    emit EncodingChanged();
    return false;
}

bool CVeskHtmlDoc::SaveModified() {
    if (!modified_)
        return true;
    switch (vesk::ShowMessage(doc_text::SaveChanges(title_), doc_text::kCaption,
                              MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
        case MsgAnswer::Yes:
            return OnFileSave();
        case MsgAnswer::No:
            return true;
        default:
            return false;
    }
}
