// The code generators of the "&Programmer" menu without their windows: the statement
// skeletons built from what a dialog holds, the 55 words of the keyword picker, and
// where the caret goes after each command inserts its text.
//
// Texts are UTF-16, like the editor's text; line breaks are CR LF and every offset
// counts each line break as two characters, as the editor's caret offsets do.
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

// For and while: the text always replaces the selection (a cancelled dialog thus
// removes the selected text); after a skeleton the caret goes 2 back from its end, onto
// the empty line of the body.
Insertion ForInsertion(SkeletonText text, bool confirmed, long selStart);
Insertion WhileInsertion(SkeletonText text, bool confirmed, long selStart);
// Do: as For, the caret then going 7 after the start, just after "Do" CR LF "{" CR LF.
Insertion DoInsertion(SkeletonText text, bool confirmed, long selStart);
// If: a cancelled dialog leaves the editor untouched. The caret goes 2 back from the
// end, and 15 further back (onto the empty line of the first block) when the text
// contains "Else" anywhere, even inside an operand.
Insertion IfInsertion(SkeletonText text, bool confirmed, long selStart);
// File read and write: the text always replaces the selection; the caret then goes back
// to the end of the empty line before the first "Fclose" of the text.
Insertion FileInsertion(SkeletonText text, bool confirmed, long selStart);
// Keyword: the chosen word replaces the selection; no word, no change.
Insertion KeywordInsertion(SkeletonText keyword);

// The words of the keyword picker, in the order the list shows them.
inline constexpr std::size_t kKeywordCount = 55;
const std::array<std::string_view, kKeywordCount>& Keywords();

} // namespace vokc
