#include "BodyScan.h"

#include "JobSteps.h"
#include "PrinterSurface.h"

#include <algorithm>

namespace tagwright::printing {

namespace {

constexpr float GapBelowRule = 30;
// A line moves on to fresh room at most this often: with every cell of a sheet tried, more
// would only go round again.
constexpr int MaxMovesPerLine = 6;

bool isBreakCharacter(QChar c)
{
    return c == u' ' || c == u'/' || c == u'\\' || c == u'-' || c == u':';
}

// Breaks the body into lines. Where each line goes is LinePlacer's business.
class BodyScan {
public:
    BodyScan(JobSteps& steps, PrinterSurface& surface, const QString& body, float widthLimit)
        : m_steps(steps), m_surface(surface), m_body(body), m_widthLimit(widthLimit)
    {
    }

    QStringList run();

private:
    float width(qsizetype count);
    qsizetype firstTooWide(qsizetype count);
    void emitLine(qsizetype count);
    qsizetype nextReturn();

    JobSteps& m_steps;
    PrinterSurface& m_surface;
    const QString& m_body;
    const float m_widthLimit;
    QStringList m_lines;
    qsizetype m_start = 0;   // next character not yet printed
    qsizetype m_return = -2; // the first carriage return at or after m_start; -1 none, -2 not sought
};

// Looked up again only once the scan has passed it: searching the rest of a long body for
// every line made printing it quadratic.
qsizetype BodyScan::nextReturn()
{
    if (m_return == -2 || (m_return >= 0 && m_return < m_start))
        m_return = m_body.indexOf(u'\r', m_start);
    return m_return;
}

float BodyScan::width(qsizetype count)
{
    float result = 0;
    m_steps([&] { result = m_surface.TextWidth(m_body.mid(m_start, count)); });
    return result;
}

// The first position i whose run of i + 1 characters is wider than the limit, or `count`
// when the whole run fits. A run only grows wider as characters are added, so a search finds
// the same position as trying each length in turn. Measuring shapes text, the costly part of
// printing: the search starts from the number of characters that the first few suggest and
// brackets the answer close to it.
qsizetype BodyScan::firstTooWide(qsizetype count)
{
    if (count == 0)
        return 0;
    const float limit = m_widthLimit;
    const auto fits = [&](qsizetype length) { return width(length) <= limit; };

    constexpr qsizetype SampleLength = 32;
    const qsizetype sample = qMin(count, SampleLength);
    const float sampleWidth = width(sample);
    qsizetype fitting = 0;      // a length known to fit
    qsizetype tooLong = count + 1;  // a length known not to fit (count + 1: none known)
    if (sampleWidth <= limit)
        fitting = sample;
    else
        tooLong = sample;
    if (fitting == count)
        return count;

    // Nothing lies between the bracket's ends when the first character alone is too wide;
    // the bounds would then cross.
    const qsizetype guess = sampleWidth > 0 && tooLong - fitting > 1
        ? std::clamp<qsizetype>(qsizetype(std::min(double(limit) * double(sample) / sampleWidth,
                                                    double(count))),
                                fitting + 1, tooLong - 1)
        : tooLong - 1;
    if (guess > fitting && guess < tooLong) {
        if (fits(guess)) {
            fitting = guess;
            for (qsizetype step = 1; fitting + step < tooLong; step *= 2) {
                if (!fits(fitting + step)) {
                    tooLong = fitting + step;
                    break;
                }
                fitting += step;
            }
        } else {
            tooLong = guess;
            for (qsizetype step = 1; tooLong - step > fitting; step *= 2) {
                if (fits(tooLong - step)) {
                    fitting = tooLong - step;
                    break;
                }
                tooLong -= step;
            }
        }
    }
    while (tooLong - fitting > 1) {
        const qsizetype mid = fitting + (tooLong - fitting) / 2;
        if (fits(mid))
            fitting = mid;
        else
            tooLong = mid;
    }
    return qMin(fitting, count);
}

void BodyScan::emitLine(qsizetype count)
{
    m_lines.append(m_body.mid(m_start, count));
    m_start += count;
    if (m_start < m_body.size() && m_body[m_start] == u' ')
        ++m_start;
}

QStringList BodyScan::run()
{
    for (;;) {
        const qsizetype rest = qMax<qsizetype>(0, m_body.size() - m_start);
        const qsizetype returnAt = nextReturn();
        const qsizetype lineEnd = returnAt < 0 ? rest : returnAt - m_start;
        const qsizetype tooWide = firstTooWide(lineEnd);
        if (tooWide < lineEnd) {
            if (m_body[m_start + tooWide] == u' ') {
                emitLine(tooWide);
                continue;
            }
            qsizetype at = tooWide;
            while (at > 0 && !isBreakCharacter(m_body[m_start + at]))
                --at;
            // A space at the first position breaks like any other: an empty line, and the
            // space is dropped. Any other break character there would give an empty line and
            // no progress: it counts as none.
            if (at > 0 || m_body[m_start] == u' ')
                emitLine(at);
            else
                emitLine(qMax<qsizetype>(tooWide, 1));
            continue;
        }
        if (lineEnd < rest) {
            emitLine(lineEnd);
            m_start += 2;  // the carriage return and the line feed after it
            continue;
        }
        emitLine(rest);
        return m_lines;
    }
}

// Puts lines one below the other and moves on to fresh room when one does not fit. Each
// line is one further down than the last since the last move.
class LinePlacer {
public:
    LinePlacer(JobSteps& steps, PrinterSurface& surface, const BodyPlacement& placement)
        : m_steps(steps), m_surface(surface), m_placement(placement)
    {
    }

    void positionNextLine();
    void lineDone() { ++m_lineCounter; }

private:
    JobSteps& m_steps;
    PrinterSurface& m_surface;
    const BodyPlacement& m_placement;
    int m_lineCounter = 0;  // lines already placed in the current cell or page
};

void LinePlacer::positionNextLine()
{
    for (int moves = 0;; ++moves) {
        float lineHeight = 0;
        m_steps([&] { lineHeight = m_surface.TextHeight(QStringLiteral("A")); });
        m_steps([&] { m_surface.CurrentX(m_placement.left()); });
        m_steps([&] {
            m_surface.CurrentY(m_placement.top() + GapBelowRule + float(m_lineCounter) * lineHeight);
        });
        if (m_placement.fits(m_surface.CurrentY(), lineHeight) || moves >= MaxMovesPerLine)
            return;
        if (!m_placement.moveOn())
            return;
        m_lineCounter = 0;
    }
}

}  // namespace

QStringList wrapBody(JobSteps& steps, PrinterSurface& surface, const QString& body, float widthLimit)
{
    return BodyScan(steps, surface, body, widthLimit).run();
}

void placeLines(JobSteps& steps, PrinterSurface& surface, const QStringList& lines,
                const BodyPlacement& placement)
{
    LinePlacer placer(steps, surface, placement);
    for (const QString& line : lines) {
        placer.positionNextLine();
        steps([&] { surface.Print(line, LineEnd::EndLine); });
        placer.lineDone();
    }
}

int countMoves(JobSteps& steps, PrinterSurface& surface, qsizetype lineCount,
               const BodyPlacement& placement)
{
    int moves = 0;
    BodyPlacement counting = placement;
    counting.moveOn = [&] {
        const bool moved = placement.moveOn();
        moves += moved ? 1 : 0;
        return moved;
    };
    LinePlacer placer(steps, surface, counting);
    for (qsizetype line = 0; line < lineCount; ++line) {
        placer.positionNextLine();
        placer.lineDone();
    }
    return moves;
}

const QStringList& WrappedBody::lines(JobSteps& steps, PrinterSurface& surface, const QString& body,
                                      float widthLimit)
{
    if (m_font != surface.font() || m_widthLimit != widthLimit || m_body != body) {
        m_lines = wrapBody(steps, surface, body, widthLimit);
        m_font = surface.font();
        m_body = body;
        m_widthLimit = widthLimit;
    }
    return m_lines;
}

}  // namespace tagwright::printing
