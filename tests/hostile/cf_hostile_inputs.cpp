// Writes the hostile inputs into a folder and lists them, one per line: kind, name, path.
#include "HostileInputs.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cf_hostile_inputs FOLDER\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cf_hostile_inputs: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const auto &input : cf::test::writeHostileInputs(dir)) {
        const char *kind = input.kind == cf::test::HostileInput::Kind::LanguageFile ? "language" : "configuration";
        std::printf("%s\t%s\t%s\n", kind, qPrintable(input.name), qPrintable(input.path));
    }
    return 0;
}
