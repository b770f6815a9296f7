// "Table des Symboles": the listing of the symbol table of the last run, one line per
// item. Escape or "OK" closes it.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace vokc {

class SymbolTableDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SymbolTableDialog(QWidget* parent = nullptr);
    void setLines(const QStringList& lines);
    QListWidget* list() const { return list_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QListWidget* list_;
    QPushButton* okButton_;
};

} // namespace vokc
