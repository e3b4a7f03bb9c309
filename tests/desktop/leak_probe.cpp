// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-leak-probe KIND: leaks memory of its own the way the program
// could, with Qt running, and ends. Run in the sanitizer build under the
// desktop tests' leak suppressions, it must be reported: they hide the
// system libraries' leaks and nothing of ours.
//   container  a list of texts, made through Qt's containers, dropped
//   object     a named Qt object with no parent, dropped
#include <QApplication>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

[[gnu::noinline]] void leakContainer() {
    auto* texts = new QList<QString>;
    for (int i = 0; i < 64; ++i) texts->append(QString::number(i).repeated(8));
    std::printf("made %lld texts\n", static_cast<long long>(texts->size()));
}

[[gnu::noinline]] void leakObject() {
    auto* object = new QObject;
    object->setObjectName(QStringLiteral("dropped"));
    std::printf("made %s\n", qPrintable(object->objectName()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "container") != 0 && std::strcmp(argv[1], "object") != 0)) {
        std::fprintf(stderr, "usage: arcadeon-leak-probe container|object\n");
        return 2;
    }
    const QApplication application(argc, argv);
    if (std::strcmp(argv[1], "container") == 0) {
        leakContainer();
    } else {
        leakObject();
    }
    return 0;
}
