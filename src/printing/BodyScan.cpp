#include "BodyScan.h"

#include "JobSteps.h"
#include "PrinterSurface.h"

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

class BodyScan {
public:
    BodyScan(JobSteps& steps, PrinterSurface& surface, const QString& body,
             const BodyPlacement& placement)
        : m_steps(steps), m_surface(surface), m_body(body), m_placement(placement)
    {
    }

    void run();

private:
    float width(qsizetype count);
    qsizetype firstTooWide(qsizetype count);
    void positionNextLine();
    void emitLine(qsizetype count);

    JobSteps& m_steps;
    PrinterSurface& m_surface;
    const QString& m_body;
    const BodyPlacement& m_placement;
    qsizetype m_start = 0;   // next character not yet printed
    int m_lineCounter = 0;   // lines already placed in the current cell or page
};

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
    const float limit = m_placement.widthLimit;
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

    const qsizetype guess = sampleWidth > 0
        ? qBound<qsizetype>(fitting + 1, qsizetype(double(limit) * double(sample) / sampleWidth),
                            tooLong - 1)
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

void BodyScan::positionNextLine()
{
    for (int moves = 0;; ++moves) {
        m_steps([&] { m_surface.CurrentX(m_placement.left()); });
        m_steps([&] {
            m_surface.CurrentY(m_placement.top() + GapBelowRule
                               + float(m_lineCounter) * m_surface.TextHeight(QStringLiteral("A")));
        });
        if (m_surface.CurrentY() <= m_placement.bottomLimit() || moves >= MaxMovesPerLine)
            return;
        if (!m_placement.moveOn())
            return;
        m_lineCounter = 0;
    }
}

void BodyScan::emitLine(qsizetype count)
{
    positionNextLine();
    m_steps([&] { m_surface.Print(m_body.mid(m_start, count), LineEnd::EndLine); });
    m_start += count;
    if (m_start < m_body.size()) {
        if (m_body[m_start] == u' ')
            ++m_start;
        ++m_lineCounter;
    }
}

void BodyScan::run()
{
    for (;;) {
        const qsizetype rest = qMax<qsizetype>(0, m_body.size() - m_start);
        qsizetype lineEnd = m_body.indexOf(u'\r', m_start);
        lineEnd = lineEnd < 0 ? rest : lineEnd - m_start;
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
        return;
    }
}

}  // namespace

void placeBody(JobSteps& steps, PrinterSurface& surface, const QString& body,
               const BodyPlacement& placement)
{
    BodyScan(steps, surface, body, placement).run();
}

}  // namespace tagwright::printing
