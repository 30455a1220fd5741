#include "calc/Output.h"

#include "calc/WholeFile.h"
#include "catalogue/Catalogue.h"
#include "report/JobSummary.h"
#include "report/SiteSketch.h"
#include "report/Sketch.h"
#include "report/Tornado.h"
#include "rules/Json.h"
#include "rules/TextFold.h"
#include "rules/Words.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>

namespace QuillmereCalc {

using namespace Quillmere;

using Quillmere::Printable;

int Fail(const std::string& message) {
    std::fprintf(stderr, "quillmere-calc: %s\n", message.c_str());
    return 2;
}

int OutputFailed() {
    return Fail(std::string("cannot write the output: ") + std::strerror(errno));
}

bool StandardOutputOk() {
    std::cout.flush();
    return std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}

bool NamesNoSensor(const ColumnTexts& input) {
    return !input[Column::Sensor] || Unpadded(*input[Column::Sensor]).empty();
}

namespace {

// The summary's date and time: local, as the window's.
std::string Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    }
    return text;
}

// The results as the window shows them, captioned, and what the helpers chose.
void PrintResults(const JobReading& outcome) {
    const std::string caption = CatalogueText(Catalogue::Id::SensorSpacing, outcome.Lang);
    const std::string unit = "[" + std::string(LengthUnit(outcome)) + "]";
    std::cout << caption << "1: " << outcome.Record.Outcome.Display.Result1 << ' ' << unit << '\n';
    if (!outcome.Record.Outcome.Display.Result2.empty()) {
        std::cout << caption << "2: " << outcome.Record.Outcome.Display.Result2 << '\n';
    }
    if (!outcome.Record.Outcome.Display.Circumferential.empty()) {
        std::cout << CatalogueText(Catalogue::CalcText::Circumferential, outcome.Lang) << ": "
                  << outcome.Record.Outcome.Display.Circumferential << ' ' << unit << '\n';
    }
    for (const std::string& line : HelperLines(outcome)) {
        std::cout << line << '\n';
    }
    if (outcome.Record.Uncertain.Given()) {
        for (const std::string& line :
             AssessmentLines(outcome.Record, outcome.Record.Uncertain, outcome.HowSure)) {
            std::cout << line << '\n';
        }
    }
    if (outcome.Site) {
        for (const std::string& line : SiteLines(outcome.Record, *outcome.Site)) {
            std::cout << line << '\n';
        }
    }
}

} // namespace

int RunOne(const ColumnTexts& input, bool json, bool summary, const Drawings& drawings) {
    const JobReading outcome = ReadJob(input);
    const bool drawingToOutput =
        drawings.Sketch == "-" || drawings.Tornado == "-" || drawings.SiteSketch == "-";
    if (json) {
        std::cout << IndentedJson(ToJson(input, outcome), 2) << '\n';
    }
    if (!outcome.Ok) {
        std::cerr << outcome.Error << '\n'; // what it quotes is escaped already
        if (outcome.ErrorColumn && !outcome.ErrorRange.empty()) {
            // The window shows the range beside the field; here the option says which field.
            std::cerr << OptionOf(*outcome.ErrorColumn) << ": " << outcome.ErrorRange << '\n';
        }
        return StandardOutputOk() ? 1 : OutputFailed();
    }
    if (summary) {
        std::cout << Quillmere::JobSummary(outcome.Record, Now(), QUILLMERE_VERSION);
    } else if (!json && !drawingToOutput) {
        PrintResults(outcome);
    }
    if (!outcome.Warning.empty() && !json) {
        std::cerr << outcome.Warning << '\n';
    }
    if (NamesNoSensor(input) && !json) {
        std::cerr << "quillmere-calc: no --sensor given: " << ForReserve << '\n';
    }
    for (const auto& [file, svg] :
         {std::pair{drawings.Sketch, drawings.Sketch ? Quillmere::SketchSvg(outcome.Record) : ""},
          std::pair{drawings.Tornado,
                    drawings.Tornado ? TornadoSvg(outcome.Record, outcome.HowSure) : ""},
          std::pair{drawings.SiteSketch,
                    drawings.SiteSketch
                        ? SiteSketchSvg(outcome.Record,
                                        outcome.Site ? *outcome.Site : PlanSite(outcome.Record, {}))
                        : ""}}) {
        if (file == "-") {
            std::cout << svg;
        } else if (file && !WriteWhole(*file, svg)) {
            return Fail("cannot write " + Printable(*file) + ": " + std::strerror(errno));
        }
    }
    return StandardOutputOk() ? 0 : OutputFailed();
}

int ListPipeSizes(const std::string& name, const ColumnTexts& input, bool json) {
    const auto units = UnitsOf(input);
    if (!units) {
        return Fail("--units: metric or imperial");
    }
    const std::vector<const Quillmere::PipeTable*> tables = Quillmere::PipeTablesNamed(name);
    if (tables.empty()) {
        return Fail(
            "--list-pipe-sizes: unknown standard " + Printable(name) +
            " (all, SGP, STPG, SUS, NPS, B36.10M, B36.19M, VP, VU, PVC, DIP, DN, DUCTILE, SU, "
            "CU, ISO or JIS)");
    }
    if (json) {
        std::cout << IndentedJson(PipeTablesJson(tables, *units), 2) << '\n';
    } else {
        for (std::size_t i = 0; i < tables.size(); ++i) {
            std::cout << (i == 0 ? "" : "\n") << Quillmere::PipeSizeListing(*tables[i], *units);
        }
    }
    return StandardOutputOk() ? 0 : OutputFailed();
}

int ListNames(const ColumnTexts& input, bool json) {
    const Language lang = LanguageOf(input);
    std::cout << (json ? IndentedJson(NamesJson(lang), 2) + "\n" : NamesListing(lang));
    return StandardOutputOk() ? 0 : OutputFailed();
}

} // namespace QuillmereCalc
