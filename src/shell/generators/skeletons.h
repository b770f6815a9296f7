// The code generators of the "&Programmer" menu without their windows: the statement
// skeletons built from what a dialog holds, the 55 words of the keyword picker, and
// where each editor command puts the caret after inserting its text.
//
// Texts are UTF-16, like the editor's text; line breaks are CR LF and every offset
// counts each line break as two characters, as the editor's caret offsets do.
//
// The dialogs are in tbouclefor.h, tbouclewhile.h, tconditionif.h, tfileio.h and
// tmotscle.h (CMake target vokc_generators; these functions alone: vokc_skeletons).
//
// How the editor window runs each command (Dlg stands for the dialog object that the
// application created once at start-up; Apply is the editor's own few lines: when
// `edit` is true, replace the selection with `text` (or insert it at the caret when
// nothing is selected; an empty text just removes the selection) and leave the caret
// just after it; then, when `caret` holds a value, put the caret there):
//
//   Forg:        Dlg(TBoucleFor)->exec();
//                QString t; bool ok; Dlg->Result(t, ok);
//                Apply(vokc::ForgInsertion(t.toStdU16String(), ok, selStart));
//   whileg:      Dlg(TBoucleWhile)->setWindowTitle("Boucle While"); Dlg->exec();
//                Dlg->Result1(t, ok);
//                Apply(vokc::WhilegInsertion(t.toStdU16String(), ok, selStart));
//   Dog:         Dlg(TBoucleWhile)->setWindowTitle("Boucle Do"); Dlg->exec();
//                Dlg->Result2(t, ok);
//                Apply(vokc::DogInsertion(t.toStdU16String(), ok, selStart));
//   Ifg:         Dlg(TConditionIf)->exec(); Dlg->Result(t, ok);
//                Apply(vokc::IfgInsertion(t.toStdU16String(), ok, selStart));
//   Liref:       Dlg(TFileIO)->SetMode(vokc::kFileRead); Dlg->exec(); Dlg->Result(t, ok);
//                Apply(vokc::FileInsertion(t.toStdU16String(), ok, selStart));
//   Ecriref:     as Liref with vokc::kFileWrite.
//   Instructions: Dlg(TMotsCle)->exec();
//                Apply(vokc::InstructionsInsertion(Dlg->SelectedKeyword().toStdU16String()));
//
// selStart is the caret offset when nothing is selected, else the offset of the first
// selected character. Nothing else is needed: no command asks anything more of the
// editor, and no command shows a message.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vokc {

using SkeletonText = std::u16string;

// The two modes of the file dialog (indexes of its radio group).
inline constexpr int kFileRead = 0;  // "Lecture": "r+t"
inline constexpr int kFileWrite = 1; // "Ecriture": "w+t"

// What the for dialog holds: "Compteur", "Valeur initiale", "Valeur finale", "Sens".
struct ForFields {
    SkeletonText counter;
    SkeletonText initial;
    SkeletonText final;
    bool descending = false; // "Décroissant"
};

// What the while, do and if dialogs hold: "Opérande 1", the operator index (0 "==",
// 1 "<", 2 ">", 3 "<=", 4 ">=", 5 "!="; any other value is no operator), "Opérande 2".
struct ConditionFields {
    SkeletonText operand1;
    int operatorIndex = -1;
    SkeletonText operand2;
};

// What the file dialog holds: "Variable fichier", "Nom du fichier", the mode index.
struct FileFields {
    SkeletonText variable;
    SkeletonText fileName;
    int mode = kFileRead;
};

// The operator written for an index, or an empty view for no operator.
std::u16string_view ConditionOperator(int operatorIndex);

// The skeletons. Each is empty when `confirmed` is false; the for, while, do and if
// skeletons are also empty when the first field is empty, and the last three when no
// operator is chosen. Fields are written as typed: no trimming, no check.
//   For (A=B; A<=F; A++)          While (A O B)      Do             If (A O B)
//   {                             {                  {              {
//   (empty line)                  (empty line)       (empty line)   (empty line)
//   }                             }                  }              }
//                                                    While (A O B); [Else / { / / }]
//   A=Fopen("B","r+t");  /  (empty line)  /  Fclose(A);
SkeletonText ForSkeleton(const ForFields& fields, bool confirmed);
SkeletonText WhileSkeleton(const ConditionFields& fields, bool confirmed);
SkeletonText DoSkeleton(const ConditionFields& fields, bool confirmed);
SkeletonText IfSkeleton(const ConditionFields& fields, bool withElse, bool confirmed);
SkeletonText FileSkeleton(const FileFields& fields, bool confirmed);

// What an editor command does to its text once its dialog has closed.
struct Insertion {
    bool edit = false;         // replace the selection with `text`
    SkeletonText text;         // may be empty: the selection is then just removed
    std::optional<long> caret; // final caret offset, when it is not just after `text`
};

// Forg and whileg: the text always replaces the selection (a cancelled dialog thus
// removes the selected text); after a skeleton the caret goes 2 back from its end, onto
// the empty line of the body.
Insertion ForgInsertion(SkeletonText text, bool confirmed, long selStart);
Insertion WhilegInsertion(SkeletonText text, bool confirmed, long selStart);
// Dog: as Forg, the caret then going 7 after the start, just after "Do" CR LF "{" CR LF.
Insertion DogInsertion(SkeletonText text, bool confirmed, long selStart);
// Ifg: a cancelled dialog leaves the editor untouched. The caret goes 2 back from the
// end, and 15 further back (onto the empty line of the first block) when the text
// contains "Else" anywhere, even inside an operand.
Insertion IfgInsertion(SkeletonText text, bool confirmed, long selStart);
// Liref and Ecriref: the text always replaces the selection; the caret then goes back
// to the end of the empty line before the first "Fclose" of the text.
Insertion FileInsertion(SkeletonText text, bool confirmed, long selStart);
// Instructions: the chosen word replaces the selection; no word, no change.
Insertion InstructionsInsertion(SkeletonText keyword);

// The words of the keyword picker, in the order the list shows them.
inline constexpr std::size_t kKeywordCount = 55;
const std::array<std::string_view, kKeywordCount>& Keywords();

} // namespace vokc
