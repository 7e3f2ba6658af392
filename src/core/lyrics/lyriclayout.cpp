// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lyrics/lyriclayout.h"

#include "core/lyrics/lyricmapping.h"
#include "core/model/boardcharset.h"
#include "core/model/song.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

namespace LyricLayout {

namespace {

// A wrapped line and how a screen break in front of it costs: 0 between blocks (only when
// blocks are packed), 1 between source lines, 2 inside a wrapped source line.
struct PlacedLine
{
    QString text;
    int breakCost = 1;
};

QList<QStringList> splitBalanced(const std::vector<PlacedLine> &lines, int height, bool packed)
{
    const int n = int(lines.size());
    const int screens = (n + height - 1) / height;
    // Lexicographic cost of a break: breaks inside source lines, then (when packed) breaks
    // between source lines of one block, then the sum of squared screen sizes for balance.
    using Cost = std::tuple<int, int, long long>;
    const Cost none{std::numeric_limits<int>::max(), 0, 0};
    std::vector<std::vector<Cost>> best(size_t(screens) + 1, std::vector<Cost>(size_t(n) + 1, none));
    std::vector<std::vector<int>> from(size_t(screens) + 1, std::vector<int>(size_t(n) + 1, -1));
    best[0][0] = Cost{0, 0, 0};
    for (int s = 1; s <= screens; ++s) {
        for (int end = 1; end <= n; ++end) {
            for (int size = 1; size <= height && size <= end; ++size) {
                const int start = end - size;
                const Cost &before = best[size_t(s - 1)][size_t(start)];
                if (std::get<0>(before) == std::numeric_limits<int>::max())
                    continue;
                const int cost = start > 0 ? lines[size_t(start)].breakCost : 0;
                const Cost c{std::get<0>(before) + (cost == 2 ? 1 : 0),
                             std::get<1>(before) + (packed && cost == 1 ? 1 : 0),
                             std::get<2>(before) + (long long)size * size};
                if (c < best[size_t(s)][size_t(end)]) {
                    best[size_t(s)][size_t(end)] = c;
                    from[size_t(s)][size_t(end)] = start;
                }
            }
        }
    }
    QList<QStringList> out(screens);
    for (int s = screens, end = n; s > 0; --s) {
        const int start = from[size_t(s)][size_t(end)];
        for (int k = start; k < end; ++k)
            out[s - 1].append(lines[size_t(k)].text);
        end = start;
    }
    return out;
}

// Drops empty lines at both ends of a screen; an all-empty screen comes out empty.
QStringList trimmed(QStringList lines)
{
    while (!lines.isEmpty() && lines.front().isEmpty())
        lines.removeFirst();
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QList<QStringList> screensOf(const std::vector<PlacedLine> &lines, int height, bool packed)
{
    QList<QStringList> screens;
    if (lines.empty())
        return screens;
    for (const QStringList &screen : splitBalanced(lines, height, packed)) {
        const QStringList kept = trimmed(screen);
        if (!kept.isEmpty())
            screens.append(kept);
    }
    return screens;
}

void appendWrapped(std::vector<PlacedLine> &out, const QStringList &block, int width, int *cutWords)
{
    const QStringList lines = trimmed(block);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList wrapped = wrapLine(lines[i], width, cutWords);
        for (qsizetype w = 0; w < wrapped.size(); ++w)
            out.push_back({wrapped[w], w > 0 ? 2 : 1});
    }
}

// The lines centred on the board both ways, as the text import places them: the rows above
// them are half the free rows, rounded down.
QString screenText(const QStringList &lines, int width, int height)
{
    const int top = std::max(0, (height - int(lines.size())) / 2);
    QString text;
    text.reserve(kScreenChars);
    for (int row = 0; row < kScreenLines; ++row) {
        const int at = row - top;
        const QString line = at >= 0 && at < lines.size()
            ? BoardCharset::alignRow(lines[at], BoardCharset::RowAlignment::Centre, width)
            : QString();
        text += line.leftJustified(kLineChars, u' ', true);
    }
    return text;
}

bool refuse(LyricMessage *reason, LyricMessage::Code code, QStringList args = {})
{
    if (reason)
        *reason = {code, args};
    return false;
}

bool refuseLongStanza(LyricMessage *reason, qsizetype stanza)
{
    return refuse(reason, LyricMessage::Code::StanzaTooLong,
                  {QString::number(stanza + 1), QString::number(kMaxScreensPerStanza)});
}

} // namespace

QStringList wrapLine(QStringView line, int width, int *cutWords)
{
    QStringList words;
    for (QStringView word : line.split(u' ', Qt::SkipEmptyParts)) {
        if (word.size() > width)
            ++*cutWords;
        for (qsizetype at = 0; at < word.size(); at += width)
            words.append(word.mid(at, width).toString());
    }
    if (words.isEmpty())
        return {QString()};
    // best[i]: fewest lines, then least squared free space, for the words from i on
    const qsizetype m = words.size();
    std::vector<std::pair<qsizetype, long long>> best(size_t(m) + 1, {0, 0});
    std::vector<qsizetype> next(size_t(m) + 1, m);
    for (qsizetype i = m - 1; i >= 0; --i) {
        best[size_t(i)] = {std::numeric_limits<qsizetype>::max(), 0};
        qsizetype used = -1;
        for (qsizetype j = i; j < m; ++j) {
            used += 1 + words[j].size();
            if (used > width)
                break;
            const long long free = width - used;
            const std::pair<qsizetype, long long> c{best[size_t(j + 1)].first + 1,
                                                    best[size_t(j + 1)].second + free * free};
            if (c < best[size_t(i)]) {
                best[size_t(i)] = c;
                next[size_t(i)] = j + 1;
            }
        }
    }
    QStringList out;
    for (qsizetype i = 0; i < m; i = next[size_t(i)])
        out.append(words.mid(i, next[size_t(i)] - i).join(u' '));
    return out;
}

QList<QStringList> blockScreens(const QStringList &lines, int width, int height, int *cutWords)
{
    std::vector<PlacedLine> placed;
    appendWrapped(placed, lines, width, cutWords);
    return screensOf(placed, height, false);
}

namespace {

// The screens of one stanza's blocks, each block sung repeat times; false when it needs more
// than eight screens even with its blocks packed.
bool stanzaScreens(const LyricPlan &plan, qsizetype s, bool repeated, int width, int height, int *cutWords,
                   QList<QStringList> &screens)
{
    const int maxLines = kMaxScreensPerStanza * height;
    screens.clear();
    std::vector<PlacedLine> all; // every block's lines, for packing
    for (qsizetype b = 0; b < plan.stanzas[s].size(); ++b) {
        QStringList block = plan.stanzas[s][b];
        for (int r = 1; repeated && r < plan.repeatOf(s, b); ++r)
            block += plan.stanzas[s][b];
        std::vector<PlacedLine> placed;
        appendWrapped(placed, block, width, cutWords);
        if (int(placed.size()) > maxLines)
            return false;
        screens += screensOf(placed, height, false);
        if (!placed.empty())
            placed.front().breakCost = 0;
        all.insert(all.end(), placed.begin(), placed.end());
    }
    if (screens.size() > kMaxScreensPerStanza) {
        if (int(all.size()) > maxLines)
            return false;
        screens = screensOf(all, height, true);
        if (screens.size() > kMaxScreensPerStanza)
            return false;
    }
    return true;
}

} // namespace

bool layout(const LyricPlan &plan, int width, int height, Song &song, LyricNotes &notes, LyricMessage *reason)
{
    song.clear();
    if (plan.stanzas.isEmpty())
        return refuse(reason, LyricMessage::Code::NoLyrics);
    if (plan.stanzas.size() > kMaxStanzas)
        return refuse(reason, LyricMessage::Code::TooManyStanzas,
                      {QString::number(plan.stanzas.size()), QString::number(kMaxStanzas)});
    QList<QList<QStringList>> stanzas;
    for (qsizetype s = 0; s < plan.stanzas.size(); ++s) {
        QList<QStringList> screens;
        int cut = 0;
        if (!stanzaScreens(plan, s, true, width, height, &cut, screens)) {
            const bool repeats = std::any_of(plan.repeats.value(s).cbegin(), plan.repeats.value(s).cend(),
                                             [](int r) { return r > 1; });
            cut = 0;
            if (!repeats || !stanzaScreens(plan, s, false, width, height, &cut, screens))
                return refuseLongStanza(reason, s);
            notes.repeatsDropped << QString::number(s + 1);
        }
        notes.cutWords += cut;
        if (screens.isEmpty())
            screens.append(QStringList()); // a verse without text keeps its place as a blank screen
        stanzas.append(screens);
    }
    for (const QList<QStringList> &screens : stanzas) {
        song.appendStanza();
        for (const QStringList &screen : screens) {
            song.addScreenAfterCurrent();
            song.setCurrentScreenText(screenText(screen, width, height));
        }
    }
    song.setRefrainIndex(plan.refrain);
    song.setSequence(plan.sequence);
    song.setCursor(0, 0);
    return true;
}

} // namespace LyricLayout
