#include "ui/TfrmLang.h"

#include "app/ClientSession.h"
#include "app/Messenger.h"
#include "lang/LangFile.h"
#include "lang/LanguageView.h"
#include "lang/UiTextEditor.h"
#include "ui/StringGrid.h"
#include "ui/WindowDesigns.h"

#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

enum Column { NumberColumn = 0, KeyColumn = 1, EnglishColumn = 2, CurrentColumn = 3 };

} // namespace

TfrmLang::TfrmLang(ClientSession &session, LanguageView &mainWindow, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_mainWindow(mainWindow)
    , m_scaler(*this, inventory(), ExcludedKinds)
    , m_dialogs(this)
    , m_files(&m_dialogs)
{
    setObjectName(u"frmLang"_s);
    setWindowTitle(u"UI Text Edit"_s);
    // An ordinary resizable frame; Qt centres a dialog over its parent when shown.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    buildComponents(*this, *this, WindowDesigns::frmLang());
    resize(WindowDesigns::frmLangClientSize);
    m_ui = {require<StringGrid>(u"StringGrid1"_s), require<QPushButton>(u"btnLoad"_s),
            require<QPushButton>(u"btnApply"_s), require<QPushButton>(u"btnSave"_s),
            require<QPushButton>(u"btnLoadDef"_s)};
    connect(m_ui.btnLoad, &QPushButton::clicked, this, &TfrmLang::btnLoadClick);
    connect(m_ui.btnApply, &QPushButton::clicked, this, &TfrmLang::btnApplyClick);
    connect(m_ui.btnSave, &QPushButton::clicked, this, &TfrmLang::btnSaveClick);
    connect(m_ui.btnLoadDef, &QPushButton::clicked, this, &TfrmLang::btnLoadDefClick);
    FormCreate();
}

TfrmLang::~TfrmLang() = default;

StringGrid *TfrmLang::StringGrid1() const
{
    return m_ui.StringGrid1;
}

void TfrmLang::FormCreate()
{
    m_scaler.RecordLayout();
}

void TfrmLang::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmLang::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    m_scaler.ScaleLayout();
}

bool TfrmLang::isReady() const
{
    return m_session.langFile() != nullptr;
}

UiTextEditor TfrmLang::editor() const
{
    ClientState &state = m_session.state();
    return UiTextEditor(state, *m_session.langFile(), state.WorkingDirectory, m_mainWindow);
}

void TfrmLang::FormShow()
{
    if (!isReady())
        return;
    setWindowTitle(m_session.langText({u"frmLang", u"UI Text Edit"}));
    FillTextGrid(m_session.state().CurrentLanguage);
}

void TfrmLang::FillTextGrid(const QString &language)
{
    if (!isReady())
        return;
    const UiTextEditor textEditor = editor();
    const EditorTexts texts = textEditor.texts(language);
    setWindowTitle(texts.caption);
    for (int column = 0; column < int(texts.headers.size()); ++column)
        m_ui.StringGrid1->setCell(column, 0, texts.headers.at(std::size_t(column)));
    m_ui.btnLoad->setText(texts.load);
    m_ui.btnApply->setText(texts.apply);
    m_ui.btnSave->setText(texts.save);
    m_ui.btnLoadDef->setText(texts.loadDefault);
    showRows(textEditor.rows(language));
    update();
}

void TfrmLang::StoreTextGrid(const QString &language)
{
    if (!isReady())
        return;
    editor().store(language, gridRows());
    FillTextGrid(language);
    m_mainWindow.applyCaptions(m_session.state().CurrentLanguage);
}

void TfrmLang::btnApplyClick()
{
    try {
        StoreTextGrid(m_session.state().CurrentLanguage);
    } catch (const LangFileError &error) {
        m_session.showError(error.text());
        return;
    }
    close();
}

void TfrmLang::btnLoadClick()
{
    if (!isReady())
        return;
    const QString path =
        m_files->openFileName(m_session.state().WorkingDirectory, UiTextEditor::LangFilter);
    if (path.isEmpty())
        return;
    const std::optional<QStringList> texts = UiTextEditor::readLangFile(path);
    bool stored = false;
    if (texts) {
        showRows(UiTextEditor::withLoadedTexts(gridRows(), *texts));
        try {
            StoreTextGrid(m_session.state().CurrentLanguage);
            stored = true;
        } catch (const LangFileError &) {
            // Reported below as the Load's own failure; what was written stays.
        }
    }
    if (!stored) {
        // Titled with the application's own name, whatever the language.
        m_session.messenger().showWarning(Messages::ProductTitle.defaultString(),
                                          m_session.langText(Messages::Msg62));
    }
}

void TfrmLang::btnSaveClick()
{
    if (!isReady())
        return;
    const QString chosen = m_files->saveFileName(
        m_session.state().WorkingDirectory, UiTextEditor::LangFilter, UiTextEditor::LangSuffix);
    if (chosen.isEmpty())
        return;
    try {
        editor().saveLangFile(UiTextEditor::withLangSuffix(chosen), currentTexts());
    } catch (const LangFileError &error) {
        m_session.showError(error.text());
    }
}

void TfrmLang::btnLoadDefClick()
{
    if (!isReady())
        return;
    try {
        if (!editor().loadDefault()) {
            m_session.showMessage(Messages::Msg27);
            return;
        }
    } catch (const LangFileError &error) {
        m_session.showError(error.text());
        return;
    }
    close();
}

QList<TextRow> TfrmLang::gridRows() const
{
    QList<TextRow> rows;
    const StringGrid &grid = *m_ui.StringGrid1;
    for (int row = 1; row < grid.gridRowCount(); ++row)
        rows.append({grid.cell(KeyColumn, row), grid.cell(EnglishColumn, row),
                     grid.cell(CurrentColumn, row)});
    return rows;
}

void TfrmLang::showRows(const QList<TextRow> &rows)
{
    StringGrid &grid = *m_ui.StringGrid1;
    grid.setGridRowCount(int(rows.size()) + 1);
    for (int row = 1; row <= rows.size(); ++row) {
        const TextRow &text = rows.at(row - 1);
        grid.setCell(NumberColumn, row, QString::number(row));
        grid.setCell(KeyColumn, row, text.key);
        grid.setCell(EnglishColumn, row, text.english);
        grid.setCell(CurrentColumn, row, text.current);
    }
}

QStringList TfrmLang::currentTexts() const
{
    QStringList texts;
    for (const TextRow &row : gridRows())
        texts.append(row.current);
    return texts;
}
