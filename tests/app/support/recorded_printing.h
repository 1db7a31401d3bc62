#pragma once

#include "ports/operator.h"
#include "program/program.h"
#include "support/print_recorder.h"
#include "ui/print/report_printing.h"

#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace vexa::test {

// Printing from the windows on a fixed local moment, each job's transcript kept in `jobs` when
// the job closes, and the PDF file each job offered in `offered` when it is given.
inline ReportPrinting recordedPrinting(Program& program, std::vector<std::string>& jobs,
                                       Operator& op, QStringList* offered = nullptr) {
    struct Job : PrintRecorder {
        std::vector<std::string>& jobs;
        explicit Job(std::vector<std::string>& j) : jobs(j) {}
        Outcome close() override {
            jobs.push_back(transcript);
            return PrintRecorder::close();
        }
    };
    return {program, OutputIdentity{},
            [&jobs, offered](QWidget*, const QString& pdfFile) {
                if (offered) *offered << pdfFile;
                return std::make_unique<Job>(jobs);
            },
            [] { return LocalMoment::withPlainTexts(2026, 12, 8, 14, 5, 9); }, op};
}

} // namespace vexa::test
