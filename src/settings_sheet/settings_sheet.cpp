#include "settings_sheet/settings_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/dialog_seam.h"
#include "platform/settings_store.h"
#include "settings_sheet/settings_pages.h"

CPrpIni::CPrpIni(const SettingsSnapshot& values, const ButtonLayouts& layouts,
                 const BarVisibility& bars, ISettingsStore& store, QWidget* parent)
    : QDialog(parent), values_(values) {
    setWindowTitle(QStringLiteral("VeskHtml の設定"));
    tabs_ = new QTabWidget;
    font_ = new CPrpIniFont(values, store);
    editor_ = new CPrpIniEditor(values, store);
    brows_ = new CPrpIniBrows(values);
    toolbar_ = new CPrpIniToolbutton(layouts, bars);
    tabs_->addTab(font_, QStringLiteral("フォント"));
    tabs_->addTab(editor_, QStringLiteral("エディタ"));
    tabs_->addTab(brows_, QStringLiteral("外部ｱﾌﾟﾘｹｰｼｮﾝ"));
    tabs_->addTab(toolbar_, QStringLiteral("ツールバー"));
    // A stored page number outside the sheet opens the first page.
    const int page = values.iniDlgDefPage;
    tabs_->setCurrentIndex(page >= 0 && page < kPageCount ? page : kFontPage);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    resize(620, 560);
}

SettingsSnapshot CPrpIni::Values() const {
    SettingsSnapshot values = values_;
    font_->Store(values);
    editor_->Store(values);
    brows_->Store(values);
    values.iniDlgDefPage = tabs_->currentIndex();
    return values;
}

bool CPrpIni::ColouringChanged() const {
    return font_->Changed();
}

bool RunSettingsSheet(CAppSettings& settings, QWidget* parent, const SettingsSheetHooks& hooks) {
    ISettingsStore& store = hooks.store ? *hooks.store : AppStore();
    CPrpIni sheet(settings.CopyOut(), settings.buttonLayouts, hooks.bars, store, parent);
    if (vesk::RunDialog(sheet) != QDialog::Accepted)
        return false;

    CPrpIniToolbutton* toolbar = sheet.ToolbarPage();
    const bool layoutsChanged = toolbar->Changed();
    if (layoutsChanged)
        settings.buttonLayouts = toolbar->Layouts();
    if (hooks.applyBars)
        hooks.applyBars(toolbar->Bars(), layoutsChanged);

    const bool colouringChanged = sheet.ColouringChanged();
    settings.CopyIn(sheet.Values(), colouringChanged);
    if (hooks.applied)
        hooks.applied(colouringChanged);
    settings.Save(store);
    return true;
}
