// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-gen-corpus DIR [--count N] [--first N] [--seed S] [--cyrillic] [--slides]
// Writes a reproducible library folder of synthetic songs (or slides) for benchmarks.
#include "common/toolarguments.h"
#include "synth/syntheticsongs.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    const int early = checkToolArguments(
        args, {u"--count"_qs, u"--first"_qs, u"--seed"_qs, u"--cyrillic"_qs, u"--slides"_qs},
        "usage: lumivox-gen-corpus DIR [--count N] [--first N] [--seed S] [--cyrillic] [--slides]\n");
    if (early >= 0)
        return early;
    SyntheticSongs::Options options;
    QString dir;
    bool ok = true;
    while (ok && !args.isEmpty()) {
        const QString arg = args.takeFirst();
        auto number = [&](int &target) {
            ok = !args.isEmpty();
            if (ok)
                target = args.takeFirst().toInt(&ok);
        };
        if (arg == u"--count") {
            number(options.count);
        } else if (arg == u"--first") {
            number(options.firstNumber);
        } else if (arg == u"--seed") {
            int seed = 0;
            number(seed);
            options.seed = quint32(seed);
        } else if (arg == u"--cyrillic") {
            options.charset = CharsetMode::Cyrillic;
        } else if (arg == u"--slides") {
            options.kind = SongKind::Slide;
        } else if (dir.isEmpty() && !arg.startsWith(u'-')) {
            dir = arg;
        } else {
            ok = false;
        }
    }
    if (!ok || dir.isEmpty() || options.count < 0) {
        err << "usage: lumivox-gen-corpus DIR [--count N] [--first N] [--seed S] [--cyrillic] [--slides]\n";
        return 2;
    }
    QString error;
    if (!SyntheticSongs::writeSongs(dir, options, &error)) {
        err << "lumivox-gen-corpus: " << error << '\n';
        return 2;
    }
    return 0;
}
