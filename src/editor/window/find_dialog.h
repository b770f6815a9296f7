// The find and replace dialogs of the editor window: modeless, they keep their text and
// options for the window's life. "Suivant" asks the editor to find (findRequested); the
// replace dialog also asks to replace once or everywhere (replaceRequested).
#pragma once

#include <QDialog>

#include "editorlogic.h"

class QLineEdit;
class QCheckBox;
class QRadioButton;

namespace vokc {

class FindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindDialog(QWidget* parent) : FindDialog(parent, false) {}
    QString findText() const;
    void setFindText(const QString& text);
    QString replaceText() const;
    editor::SearchOptions options() const;
    void setOptions(const editor::SearchOptions& options);
    // Which button asked: replace all runs until nothing more is found.
    bool replacesAll() const { return replaceAll_; }
    bool replacesOnce() const { return singleReplace_; }

  signals:
    void findRequested();
    void replaceRequested();

  protected:
    FindDialog(QWidget* parent, bool withReplace);

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

// The same dialog with "Remplacer par", "Remplacer" and "Remplacer tout"; it searches in
// the direction chosen, as the find dialog does.
class ReplaceDialog : public FindDialog {
    Q_OBJECT
  public:
    explicit ReplaceDialog(QWidget* parent) : FindDialog(parent, true) {}
};

} // namespace vokc
