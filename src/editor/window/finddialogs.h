// The find and replace dialogs of the editor window: modeless, they keep their text and
// options for the window's life. "Suivant" asks the editor to find (signal findNext);
// the replace dialog also asks to replace once or everywhere.
#pragma once

#include <QDialog>

#include "editorlogic.h"

class QLineEdit;
class QCheckBox;
class QRadioButton;

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent, bool withReplace = false);
    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    vokc::editor::SearchOptions Options() const;
    void SetOptions(const vokc::editor::SearchOptions& options);
    // Which button asked: replace all runs until nothing more is found.
    bool ReplaceAll() const { return replaceAll_; }
    bool SingleReplace() const { return singleReplace_; }

signals:
    void Find();
    void Replace();

private:
    QLineEdit* findEdit_;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QRadioButton* up_;
    QRadioButton* down_;
    bool replaceAll_ = false;
    bool singleReplace_ = false;
};
