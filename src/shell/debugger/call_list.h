// The calls tab: the chain of active procedure calls from main() to the current line,
// each with the line of its call. A double-click on a call asks for the caret there.
#pragma once

#include <QListWidget>

#include "interpreter.h"

namespace vokc {

class CallList : public QListWidget {
    Q_OBJECT
  public:
    explicit CallList(QWidget* parent = nullptr);
    void refresh(const Interpreter& interpreter);

  signals:
    // The 0-based line of a call to show in the editor.
    void lineActivated(int line);
};

} // namespace vokc
