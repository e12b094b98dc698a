#pragma once

#include "PrinterError.h"

namespace tagwright::printing {

class PrinterSurface;

// Thrown out of a job whose step kept failing; the job's entry point catches it.
struct JobAbandoned {
    PrinterError error;
};

// Runs the steps of a print job under its error rule: error 380 (a font the printer cannot
// take) switches to "Arial" and the job goes on with the next step; any other error repeats
// the step, at most MaxRetries times, so that a printer that keeps failing cannot hang the
// program. Then the job is abandoned.
class JobSteps {
public:
    static constexpr int MaxRetries = 3;

    explicit JobSteps(PrinterSurface& surface) : m_surface(surface) {}

    template <class Step>
    void operator()(Step&& step)
    {
        for (int attempt = 0;; ++attempt) {
            try {
                step();
                return;
            } catch (const PrinterError& error) {
                if (goOnAfter(error, attempt))
                    return;
            }
        }
    }

private:
    // True to go on with the next step, false to repeat the failed one; throws
    // JobAbandoned when the retries are used up.
    bool goOnAfter(const PrinterError& error, int attempt);

    PrinterSurface& m_surface;
};

}  // namespace tagwright::printing
