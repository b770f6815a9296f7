// The commands of the "&Programmer" menu: each shows its generator's dialog and puts the
// statement skeleton it builds into the text of the active editor window.
#pragma once

#include <QObject>
#include <functional>

#include "shared_windows.h"

namespace vokc {

class EditorWindow;

class GeneratorCommands : public QObject {
    Q_OBJECT
  public:
    // `editable` gives the editor whose text may change now, or nullptr.
    GeneratorCommands(std::function<EditorWindow*()> editable, QObject* parent);
    void setDialogs(const GeneratorDialogs& dialogs) { dialogs_ = dialogs; }

  public slots:
    void insertKeyword();
    void insertForLoop();
    void insertWhileLoop();
    void insertDoLoop();
    void insertIf();
    void insertFileRead();
    void insertFileWrite();

  private:
    std::function<EditorWindow*()> editable_;
    GeneratorDialogs dialogs_;
};

} // namespace vokc
