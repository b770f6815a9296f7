// What the four generator dialogs share: the "OK" and "Annuler" buttons, the
// confirmation flag they set, Enter and Escape, and the radio group of their choices.
//
// `confirmed()` is set by "OK" or Enter (true) and by "Annuler" or Escape (false), each
// closing the dialog. Closing it with its close box leaves the flag as the previous use
// left it, so a dialog last confirmed with "OK" counts as confirmed again. The dialogs
// are created once and only hidden between uses: their fields keep what was typed.
#pragma once

#include <QDialog>
#include <QGroupBox>

class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vokc {

// A titled group of exclusive radio buttons with an item index (-1: none chosen).
// Enter and Escape typed on its buttons do nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent);
    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QRadioButton* item(int index) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QButtonGroup* group_;
};

class GeneratorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit GeneratorDialog(const QString& caption, QWidget* parent = nullptr);

    bool confirmed() const { return confirmed_; }
    QPushButton* okButton() const { return okButton_; }         // "OK"
    QPushButton* cancelButton() const { return cancelButton_; } // "Annuler"

    void confirm();
    void cancel();
    // Character 13 acts as "OK", character 27 as "Annuler"; anything else is ignored.
    void handleCharacter(int character);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Each time the dialog opens, its first field has the focus, its text selected.
    void showEvent(QShowEvent* event) override;

    // Adds a labelled edit field on the next row of the form.
    QLineEdit* addEdit(const QString& label);
    // Adds a widget across the form on the next row.
    void addRow(QWidget* widget);
    // Puts the two buttons under the form; call once, after the fields.
    void addButtons();

  private:
    bool confirmed_ = false;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QGridLayout* form_;
    QLineEdit* firstField_ = nullptr;
    int rows_ = 0;
};

} // namespace vokc
