#pragma once

#include "ui/DesignedWindow.h"
#include "ui/DialogFileChooser.h"
#include "ui/LayoutScaler.h"

#include <QDialog>

class ClientSession;
class FileChooser;
class LanguageView;
class QPushButton;
class StringGrid;
class UiTextEditor;
struct TextRow;

// The UI text editor: the current language's texts beside the English ones,
// edited in the last column, stored into the language file, exchanged with
// .lang files, or restored from the default language file.
class TfrmLang final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    // The editor's excluded kinds for the layout scaler (it has no "TComm").
    static inline const QStringList ExcludedKinds{
        QStringLiteral("TMainMenu"), QStringLiteral("TSaveDialog"), QStringLiteral("TOpenDialog"),
        QStringLiteral("TImageList"), QStringLiteral("TComm")};

    // mainWindow is re-captioned and has its language checked from here.
    TfrmLang(ClientSession &session, LanguageView &mainWindow, QWidget *parent = nullptr);
    ~TfrmLang() override;
    Q_DISABLE_COPY_MOVE(TfrmLang)

    StringGrid *StringGrid1() const;
    const LayoutScaler &scaler() const { return m_scaler; }
    // Where Load and Save as get their file; the dialogs unless replaced.
    void setFileChooser(FileChooser &chooser) { m_files = &chooser; }

    void FormShow();
    void FillTextGrid(const QString &language);
    // Throws LangFileError when the language file cannot be written.
    void StoreTextGrid(const QString &language);
    void btnLoadClick();
    void btnApplyClick();
    void btnSaveClick();
    void btnLoadDefClick();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Components {
        StringGrid *StringGrid1;
        QPushButton *btnLoad;
        QPushButton *btnApply;
        QPushButton *btnSave;
        QPushButton *btnLoadDef;
    };

    void FormCreate();
    bool isReady() const;
    UiTextEditor editor() const;
    QList<TextRow> gridRows() const;
    void showRows(const QList<TextRow> &rows);
    QStringList currentTexts() const;

    ClientSession &m_session;
    LanguageView &m_mainWindow;
    Components m_ui{};
    LayoutScaler m_scaler;
    DialogFileChooser m_dialogs;
    FileChooser *m_files;
};
