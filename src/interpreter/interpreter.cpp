// The hosts' facade: every call goes to the engine that holds the run.
#include "interpreter.h"

#include "engine.h"

namespace vokc {

Interpreter::Interpreter(Host& host) : engine_(std::make_unique<Engine>(host)) {}
Interpreter::~Interpreter() = default;

void Interpreter::StartProgram(std::string_view name) {
    engine_->StartProgram(name);
}
RunResult Interpreter::Exec(const ProgramText& program, int startLine, StepMode mode) {
    return engine_->Exec(program, startLine, mode);
}
int Interpreter::TextEdited(int firstLine, int linesRemoved, int linesInserted, int resumeLine) {
    return engine_->MoveLines({firstLine, linesRemoved, linesInserted}, resumeLine);
}
bool Interpreter::AdoptEditedText(const ProgramText& program) {
    return engine_->AdoptEditedText(program);
}
int Interpreter::CloseAllFiles() {
    return engine_->CloseAllFiles();
}
std::vector<std::string> Interpreter::SymbolListing() const {
    return engine_->SymbolListing();
}
std::string Interpreter::ExamineText(std::string_view reference) {
    return engine_->ExamineText(reference);
}
std::vector<VariableInfo> Interpreter::Variables() const {
    return engine_->Variables();
}
void Interpreter::ValueTexts(std::vector<std::string>& out, int maxElements) const {
    engine_->ValueTexts(out, maxElements);
}
std::string Interpreter::ValueText(int variable, int element) const {
    return engine_->ValueText(variable, element);
}
bool Interpreter::InspectReference(std::string_view reference, std::string& text) const {
    return engine_->InspectReference(reference, text);
}
bool Interpreter::InspectReferenceAt(std::string_view reference,
                                     const std::vector<std::string>& rows, int maxElements,
                                     std::string& text) const {
    return engine_->InspectReferenceAt(reference, rows, maxElements, text);
}
int Interpreter::RunningLine() const {
    return engine_->RunningLine();
}
int Interpreter::OpenBlockLine() const {
    return engine_->OpenBlockLine();
}
std::vector<CallFrame> Interpreter::CallChain() const {
    return engine_->CallChain();
}
int Interpreter::CallDepth() const {
    return engine_->CallDepth();
}
void Interpreter::SetRunToLine(int line) {
    engine_->SetRunToLine(line);
}
void Interpreter::SetStepLimit(std::uint64_t limit) {
    engine_->SetStepLimit(limit);
}
void Interpreter::SetBreakpointsEnabled(bool on) {
    engine_->SetBreakpointsEnabled(on);
}
void Interpreter::SetLineMarkers(bool on) {
    engine_->SetLineMarkers(on);
}
void Interpreter::SetTrace(bool on) {
    engine_->SetTrace(on);
}
int Interpreter::TextX() const {
    return engine_->TextX();
}
int Interpreter::TextY() const {
    return engine_->TextY();
}

} // namespace vokc
