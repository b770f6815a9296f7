// "Mots clé": the keyword picker, a fixed-size window filled by the list of the
// language's 55 words. Enter and a double click close it keeping the selected word, and
// so does the close box; Escape clears the selection first, so nothing is inserted. The
// selected word stays selected for the next opening.
#pragma once

#include <QDialog>

class QListWidget;

namespace vokc {

class KeywordPicker : public QDialog {
    Q_OBJECT
  public:
    explicit KeywordPicker(QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }

    // The selected word, or an empty text when none is selected.
    QString selectedKeyword() const;
    // Character 13 closes keeping the selection; 27 clears it and closes.
    void handleCharacter(int character);
    void chooseSelected();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListWidget* list_;
};

} // namespace vokc
