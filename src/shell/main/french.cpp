#include "french.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vokc {

namespace {
// The kinds of file that the file dialogs show in their "Type" column, which Qt's French
// catalogue leaves in English.
class FileKindNames : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        static const struct {
            const char* english;
            const char* french;
        } kNames[] = {{"Folder", "Dossier"},     {"Drive", "Lecteur"},      {"File", "Fichier"},
                      {"%1 File", "Fichier %1"}, {"Shortcut", "Raccourci"}, {"Alias", "Alias"},
                      {"Unknown", "Inconnu"}};
        for (const auto& name : kNames)
            if (qstrcmp(source, name.english) == 0) return QString::fromUtf8(name.french);
        return {};
    }
};
} // namespace

bool InstallFrenchTranslations(QCoreApplication& app) {
    const QLocale french(QLocale::French, QLocale::France);
    auto* translator = new QTranslator(&app);
    if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    QCoreApplication::installTranslator(new FileKindNames(&app));
    return true;
}

} // namespace vokc
