// The interpreter's windows: the console "Ecran" (TForm3), on which programs draw their
// output, and the input line (TForm12) that reads an answer at the text position.
// TForm3 is the interpreter's host in the desktop application and the editor's way to
// run programs: it owns the one interpreter of the process.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QFont>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "host.h"
#include "interpreter.h"
#include "runtarget.h"

class QLineEdit;
class QPainter;
class QPrinter;
class QScrollArea;
class TTableSymboles;
class TVariable;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
    QString Result() const;
    QLineEdit* Edit1;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
public slots:
    void reject() override; // Escape does nothing: only Enter ends the read
};

// The paint surface of the console: what was drawn is kept, so covering, resizing and
// scrolling redraw it.
class TConsoleSurface : public QWidget {
    Q_OBJECT
public:
    explicit TConsoleSurface(QWidget* parent);
    struct Piece {
        int x, y;
        QString text;
    };
    void Draw(int x, int y, const QString& text);
    void Clear();
    const std::vector<Piece>& Pieces() const { return pieces_; }
    // The drawn texts as lines, top to bottom (for tests and copying).
    QString AllText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Piece> pieces_;
    int bottom_ = 0;
};

class TForm3 : public QWidget, public vokc::Host, public RunTarget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    void SetInputLine(TForm12* inputLine) { form12_ = inputLine; }
    void SetInspectionWindows(TTableSymboles* table, TVariable* variable);

    // Published operations of the interpreter.
    void InitPrg(std::string_view name) override;
    void Exec(const vokc::ProgramText& memo, int& startLine, int& stopState, int stepMode) override;
    int CloseAll() override;
    bool Running() const override { return running_; }
    void RequestStop() override { stopRequested_ = true; }
    void Stats();
    void Examiner();
    vokc::Interpreter& Interp() { return *interp_; }

    TConsoleSurface* PaintBox1;
    // Hooks replaced by tests: message boxes, the answer of the input line, the printer.
    std::function<void(const QString&)> ShowMessage;
    std::function<void(const QString&)> ShowError;
    std::function<QString(int x, int y)> AskAnswer;
    std::function<std::unique_ptr<QPrinter>()> MakePrinter;
    // Told when a run starts and ends (the main window enables its commands).
    std::function<void(bool running)> RunningChanged;

    // Host services.
    void Message(std::string_view text, int line) override;
    void ErrorBox(std::string_view text, int line) override;
    void ShowConsole(std::string_view caption) override;
    void DrawText(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    void ClearScreen() override;
    std::string ReadAnswer(int x, int y) override;
    std::string ReadKey() override;
    bool BeginPrint() override;
    bool PrintLine(std::string_view text) override;
    bool EndPrint() override;
    vokc::DateTime Now() override;
    std::uint32_t MillisecondsTodayUtc() override;
    std::string ShortDate(const vokc::DateTime& dt) override;
    std::string LongTime(const vokc::DateTime& dt) override;
    char DecimalSeparator() override;
    bool StopRequested() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    std::unique_ptr<vokc::Interpreter> interp_;
    TForm12* form12_ = nullptr;
    TTableSymboles* table_ = nullptr;
    TVariable* variable_ = nullptr;
    QScrollArea* scroll_;
    QFont consoleFont_;
    bool running_ = false;
    bool placed_ = false;
    bool stopRequested_ = false;
    QElapsedTimer sincePaint_;
    // The print job between fopen(PRN:) and fclose(PRN:).
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> printPainter_;
    int printY_ = 0;
};
