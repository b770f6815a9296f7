// Every French text the interpreter shows, in one place.
#pragma once

#include <string_view>

namespace vokc::msg {

// State and symbol table.
inline constexpr std::string_view kNomTropLong = "Nom trop long (20 maxi)";
inline constexpr std::string_view kCaractereNonValide = "Caractère non valide (a-z)";
inline constexpr std::string_view kCaractereNonValideLabel = "Caractère non valide (A-Z,a-z)";
inline constexpr std::string_view kErreurSyntaxe = "Erreur de syntaxe";
inline constexpr std::string_view kErreurSyntaxeMinuscule = "erreur de syntaxe";
inline constexpr std::string_view kSymboleDejaDefini = "Symbole déjà défini";
inline constexpr std::string_view kTableSaturee = "Table des symboles saturée";
inline constexpr std::string_view kIdentificateurDuplique = "Identificateur dupliqué";
inline constexpr std::string_view kTropDeVariables = "Trop de variables";
inline constexpr std::string_view kErreurConversion = "Erreur de conversion";
inline constexpr std::string_view kIndiceTypeIncorrect = "Indice de type incorrect";
inline constexpr std::string_view kErreurDansIndice = "Erreur dans indice";
inline constexpr std::string_view kIndiceHorsLimites = "Indice hors limites";
inline constexpr std::string_view kPileSaturee = "Pile saturée";
inline constexpr std::string_view kPileVide = "Pile vide";
inline constexpr std::string_view kChaineTropLongue =
    "Chaîne trop longue (1000000 caractères maxi)";

// Preparation and run loop.
inline constexpr std::string_view kErreurDefinitionFonction =
    "Erreur dans la définition de la fonction";
inline constexpr std::string_view kMainNonTrouve = "MAIN() non trouvé";
inline constexpr std::string_view kFinDeBlocNonDetectee = "Fin de bloc non détectée";
inline constexpr std::string_view kDelimiteurSansOuvrant = "Délimiteur } sans {";

// Expressions.
inline constexpr std::string_view kTypeIncorrect = "Type incorrect";
inline constexpr std::string_view kErreurDeType = "Erreur de type";
inline constexpr std::string_view kErreurDansExpression = "Erreur dans expression";
inline constexpr std::string_view kIdentificateurInconnu = "Identificateur inconnu";
inline constexpr std::string_view kErreurDansNombre = "erreur dans nombre ";
inline constexpr std::string_view kErreurDansNombreRand = "Erreur dans nombre ";
inline constexpr std::string_view kChaineSansFin = "chaine sans fin";
inline constexpr std::string_view kExpressionIncorrecte = "Expression incorrecte";
inline constexpr std::string_view kIdentificateur = "Identificateur ";
inline constexpr std::string_view kInconnu = " inconnu";
inline constexpr std::string_view kVariable = "Variable ";
inline constexpr std::string_view kNExistePas = " n'existe pas";
inline constexpr std::string_view kPasUnString = "ce n'est pas un string";

// The error box texts of conversions that end a run.
inline constexpr std::string_view kPasUnEntier = "' n'est pas une valeur entière correcte";
inline constexpr std::string_view kPasUnFlottant = "' n'est pas une valeur flottante correcte";
inline constexpr std::string_view kDebordementFlottant = "Débordement flottant";

// Assignments and increments.
inline constexpr std::string_view kIndiceIncorrect = "Indice incorrect";
inline constexpr std::string_view kVariableNonInteger = "Variable non integer";

// Control flow.
inline constexpr std::string_view kExpressionLogiqueIncorrecte = "Expression logique incorrecte";
inline constexpr std::string_view kVariableFichierAttendue = "Variable fichier attendue";
inline constexpr std::string_view kErreurEntreeSortieMin = "Erreur d'entrée/sortie";
inline constexpr std::string_view kElseManquant = "ELSE manquant";
inline constexpr std::string_view kVariableInconnue = "Variable inconnue";
inline constexpr std::string_view kTypeVariableIncorrect = "Type de variable incorrect";
inline constexpr std::string_view kTypesIncompatibles = "Types de données incompatibles";
inline constexpr std::string_view kBreakSansBoucle = "BREAK sans FOR ou WHILE ou REPEAT";
inline constexpr std::string_view kEtiquetteNonTrouvee = "Etiquette non trouvée";
inline constexpr std::string_view kProcedureNonTrouvee = "Procedure non trouvée";

// Strings.
inline constexpr std::string_view kDateHeureIncorrecte = "Variable data/heure incorrecte";

// Console.
inline constexpr std::string_view kFormatIncorrect = "Spécification de format incorrecte";
inline constexpr std::string_view kInconnue = " inconnue";
inline constexpr std::string_view kErreurDansParametres = "Erreur dans paramètres";
inline constexpr std::string_view kValeurParametreIncorrecte = "Valeur de paramètre incorrecte";

// Files and directories.
inline constexpr std::string_view kErreurEntreeSortie = "Erreur Entrée/Sortie";
inline constexpr std::string_view kNomFichierInconnu = "Nom de fichier inconnu";
inline constexpr std::string_view kVariableFichierRequise = "Variable fichier requiqe";
inline constexpr std::string_view kRepertoire = "Répertoire ";
inline constexpr std::string_view kNonCree = " n'a pas été créé";
inline constexpr std::string_view kNonEfface = " n'a pas été éffacé";
inline constexpr std::string_view kInexistant = " inexistant";
// Write failures that end the run through the standard error box.
inline constexpr std::string_view kNonOuvertEcriture = "Fichier non ouvert en écriture";
inline constexpr std::string_view kErreurEcriture = "Erreur d'écriture";

// Warnings of the run: the run goes on (or stops) exactly as without them.
inline constexpr std::string_view kDivisionParZero =
    "Division par zéro : le programme s'arrête ici. Vérifiez le diviseur avant de diviser, "
    "par exemple avec if (b != 0).";
// "t[6] n'existe pas : le tableau t a 5 éléments, de t[1] à t[5]. ..."
inline constexpr std::string_view kNExistePasTableau = " n'existe pas : le tableau ";
inline constexpr std::string_view kAElements = " a ";
inline constexpr std::string_view kElementsDe = " éléments, de ";
inline constexpr std::string_view kElementsA = " à ";
inline constexpr std::string_view kAutreVariable =
    ". Ici, le programme lit ou change une autre variable à la place.";
// "i vaut toujours 1 au test de cette boucle depuis 10000 tours : ..."
inline constexpr std::string_view kVautToujours = " vaut toujours ";
inline constexpr std::string_view kAuTestDepuis = " au test de cette boucle depuis ";
inline constexpr std::string_view kToursJamais = " tours : elle ne s'arrêtera jamais. ";
inline constexpr std::string_view kToursRisque = " tours : elle risque de ne jamais s'arrêter. ";
inline constexpr std::string_view kVerifiezComment = "Vérifiez comment la boucle change ";
inline constexpr std::string_view kChangezDansBoucle = "Changez ";
inline constexpr std::string_view kDansLaBoucle = " dans la boucle";
inline constexpr std::string_view kParExemple = ", par exemple avec ";

// Inspection.
inline constexpr std::string_view kErreurDansNombreExamen = "Erreur dans nombre";

// A text edited during a pause that the run cannot go on with.
inline constexpr std::string_view kContinuerImpossible = "Impossible de continuer : ";
inline constexpr std::string_view kRelancerF9 = ". Relancez le programme (F9).";
inline constexpr std::string_view kLaVariable = "la variable ";
inline constexpr std::string_view kPlusDeclaree = " n'est plus déclarée";
inline constexpr std::string_view kLaDeclarationDe = "la déclaration de ";
inline constexpr std::string_view kAChange = " a changé";
inline constexpr std::string_view kMainSupprime = "main() a été supprimé";
inline constexpr std::string_view kLaProcedure = "la procédure ";
inline constexpr std::string_view kAppelSupprimee = ", en cours d'appel, a été supprimée";
// Hosts whose answers come from a given input (a terminal's, a graded case's): a read
// after the one that met its end.
inline constexpr std::string_view kEntreeEpuisee = "entrée standard épuisée";

} // namespace vokc::msg
