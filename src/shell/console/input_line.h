// The input line: a frameless modal line placed over the console at the text position,
// where a program's answer is typed. Only Enter ends it; Escape does nothing.
#pragma once

#include <QDialog>

class QLineEdit;

namespace vokc {

class InputLine : public QDialog {
    Q_OBJECT
  public:
    explicit InputLine(QWidget* parent = nullptr);
    QString answer() const;
    QLineEdit* edit() const { return edit_; }

  public slots:
    void reject() override; // Escape does nothing: only Enter ends the read

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* edit_;
};

} // namespace vokc
