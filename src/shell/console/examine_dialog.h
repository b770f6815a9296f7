// "Examiner variable": a variable or element reference is typed, Enter shows its value
// as the last run left it. Escape or "Fermer" closes it.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace vokc {

class ExamineDialog : public QDialog {
    Q_OBJECT
  public:
    using Evaluator = std::function<QString(const QString& reference)>;

    explicit ExamineDialog(QWidget* parent = nullptr);
    // Turns a typed reference into the text shown.
    void setEvaluator(Evaluator evaluate) { evaluate_ = std::move(evaluate); }
    QLineEdit* referenceEdit() const { return referenceEdit_; }
    QLineEdit* resultEdit() const { return resultEdit_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Evaluator evaluate_;
    QLineEdit* referenceEdit_;
    QLineEdit* resultEdit_;
    QPushButton* closeButton_;
};

} // namespace vokc
