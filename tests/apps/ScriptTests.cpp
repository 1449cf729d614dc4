#include "ReportSummary.h"
#include "ScriptHost.h"
#include "ScriptInterpreter.h"
#include "ScriptParser.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace orv;

namespace {

struct ScriptRun {
    ExitStatus status;
    std::string out;
    std::string err;
};

// Runs a script the way the orvreport command does; the output includes
// what the control prints while it is destroyed.
ScriptRun runScript(std::string_view source, bool printEvents = false)
{
    std::ostringstream out;
    std::ostringstream err;
    ExitStatus status;
    {
        TScriptHost host(out, err, {printEvents});
        status = host.run("test.orv", source);
    }
    return {status, out.str(), err.str()};
}

// What `print <expression>` prints, without the line break.
std::string printed(const std::string& expression)
{
    const ScriptRun run = runScript("print " + expression + "\n");
    EXPECT_EQ(run.status, ExitRan) << expression << ": " << run.out;
    return run.out.empty() ? run.out : run.out.substr(0, run.out.size() - 1);
}

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

TEST(ScriptParser, ReportsTheLineOfTheFirstFault)
{
    struct Case {
        const char* source;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"NewPage\nprint 1 +\n", 2, "expected a value, found end of line"},
        {"x = 1\n\n' note\nx = \"open\n", 4, "unterminated string"},
        {"NewPage(1, 2\n", 1, "expected ')', found end of line"},
        {"print (1 + 2))\n", 1, "expected end of line, found ')'"},
        {"NewPage 1 2\n", 1, "expected end of line, found '2'"},
        {"NewPage\n5 = x\n", 2, "expected a statement, found '5'"},
        {"Len = 3\n", 1, "cannot assign to Len"},
        {"vbCr = 3\n", 1, "cannot assign to vbCr"},
        {"x = 12abc\n", 1, "malformed number '12abc'"},
        {"x = 1\r\nx = 1E999\r\n", 2, "number out of range '1E999'"},
        {"x = 1 # 2\n", 1, "unexpected character '#'"},
        {"print And\n", 1, "expected a value, found 'And'"},
        {"print\n", 1, "expected a value, found end of line"},
    };
    for (const Case& c : cases) {
        try {
            TScriptParser::parse(c.source);
            ADD_FAILURE() << "parsed: " << c.source;
        } catch (const TScriptSyntaxError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_STREQ(e.what(), c.message) << c.source;
        }
    }
}

TEST(ScriptParser, ReadsCommentsAndEveryCallForm)
{
    const script::Program program = TScriptParser::parse("# heading\n"
                                                         "\n"
                                                         "NewPage 8.5, , 0 ' the rest is omitted\n"
                                                         "NewPage(8.5, 11)\n"
                                                         "  FirstPage\n"
                                                         "SaveToPDF f, (g), \"it\"\"s\", h + 1, Len\r\n");
    // Each statement's instructions, in order.
    std::vector<std::vector<script::Instruction>> statements;
    script::TScriptCodeReader reader(program.code);
    while (!reader.atEnd()) {
        script::TScriptCodeReader statement(reader.nextStatement());
        statements.emplace_back();
        while (!statement.atEnd())
            statements.back().push_back(statement.next());
    }
    using script::Op;
    auto ops = [](const std::vector<script::Instruction>& code) {
        std::vector<Op> result;
        for (const script::Instruction& instruction : code)
            result.push_back(instruction.op);
        return result;
    };
    auto nameOf = [&](const script::Instruction& instruction) { return program.names[instruction.index].text; };
    ASSERT_EQ(statements.size(), 4u);

    // An omitted argument is a slot of its own.
    EXPECT_EQ(ops(statements[0]), (std::vector{Op::Double, Op::Missing, Op::Long, Op::Call, Op::Drop}));
    EXPECT_EQ(statements[0][0].real, 8.5);
    EXPECT_EQ(statements[0][3].arguments, 3u);
    EXPECT_EQ(nameOf(statements[0][3]), "NewPage");
    EXPECT_EQ(statements[1][2].arguments, 2u);
    EXPECT_EQ(ops(statements[2]), (std::vector{Op::Call, Op::Drop}));
    EXPECT_EQ(statements[2][0].arguments, 0u);

    // Only a bare variable name is passed by reference; a builtin's name is
    // a call of it.
    EXPECT_EQ(ops(statements[3]), (std::vector{Op::Reference, Op::Name, Op::Text, Op::Name, Op::Long, Op::Binary,
                                               Op::Call, Op::Call, Op::Drop}));
    EXPECT_EQ(nameOf(statements[3][0]), "f");
    EXPECT_EQ(nameOf(statements[3][1]), "g");
    EXPECT_EQ(statements[3][2].text, "it\"s");
    EXPECT_EQ(nameOf(statements[3][6]), "Len");
    EXPECT_EQ(program.names[statements[3][6].index].builtin, script::findBuiltin("len"));
    EXPECT_EQ(nameOf(statements[3][7]), "SaveToPDF");
    EXPECT_EQ(statements[3][7].arguments, 5u);
    EXPECT_TRUE(program.names[statements[3][7].index].dispatchId);
    EXPECT_FALSE(program.names[statements[3][0].index].dispatchId);
}

TEST(ScriptHost, ScriptThatDoesNotParseRunsNothing)
{
    const ScriptRun run = runScript("NewPage\nprint nTotalPages\nprint (2\n", true);
    EXPECT_EQ(run.status, ExitBadInput);
    EXPECT_EQ(run.out, ""); // not even the control's OnCreate
    EXPECT_EQ(run.err, "orvreport: test.orv:3: expected ')', found end of line\n");
}

TEST(ScriptHost, RunsAPaperSizeScript)
{
    const ScriptRun run = runScript("NewPageByPaperSize 9\nprint PageWidth, PageHeight, PageSize\n");
    EXPECT_EQ(run.status, ExitRan);
    EXPECT_EQ(run.out, "Single 8.267716\nSingle 11.69291\nLong 9\n");
    EXPECT_EQ(run.err, "");
}

TEST(ScriptHost, FailedOperationIsReportedAndTheScriptGoesOn)
{
    const ScriptRun run = runScript("NewPage 8.5, 11, 0, 0, -5\nprint nTotalPages\n");
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_TRUE(startsWith(run.out, "error 8000FFFF Cannot insert a page at position -5\n")) << run.out;
    EXPECT_TRUE(run.out.ends_with("\nLong 1\n")) << run.out;
}

TEST(ScriptHost, UnknownNameFailsAndAssignsNothing)
{
    const ScriptRun run = runScript("x = 1\nx = ShuffleReport(2)\nprint x\n");
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_TRUE(startsWith(run.out, "error 80020006 ")) << run.out;
    EXPECT_NE(run.out.find("ShuffleReport"), std::string::npos);
    EXPECT_TRUE(run.out.ends_with("\nLong 1\n")) << run.out;
}

TEST(ScriptHost, PrintsEventsAndDialogs)
{
    const ScriptRun run = runScript("AboutBox\nReportInfo 1100\n", true);
    EXPECT_EQ(run.status, ExitRan);
    EXPECT_TRUE(startsWith(run.out, "event OnCreate\nmessage Version: ")) << run.out;
    EXPECT_TRUE(run.out.ends_with("\nevent OnDestroy\n")) << run.out;
    // The process report's \r line breaks are folded into one line.
    EXPECT_NE(run.out.find(" /  / Process ID: "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);

    std::ostringstream out;
    TEventPrinter printer(out);
    printer.OnPageClick(3, 1.5f, 2.25f);
    printer.OnFieldExpression(1, "a b");
    EXPECT_EQ(out.str(), "event OnPageClick 3 1.5 2.25\nevent OnFieldExpression 1 a b\n");
}

TEST(ScriptInterpreter, AnswerQueuesTheNextDialogsAnswer)
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    std::ostringstream out;
    TScriptInterpreter interpreter(control, ui, out);
    ASSERT_TRUE(interpreter.run(TScriptParser::parse("Answer \"Cancel\"\nAnswer \"report\" & \".pdf\"\n")));

    EXPECT_EQ(ui.showMessage("c", "t", TUiServices::Icon::Question, TUiServices::Buttons::OkCancel),
              TUiServices::Answer::Cancel);
    EXPECT_EQ(ui.saveFileName("Save", "*.pdf", ""), std::optional<std::string>("report.pdf"));
    EXPECT_EQ(out.str(), "");
}

TEST(ScriptInterpreter, WritesPropertiesAndAssignsVariables)
{
    const ScriptRun run = runScript("PageWidth = 11\n"
                                    "print PageWidth\n"
                                    "pageheight = 7\n"
                                    "print PAGEHEIGHT\n"
                                    "x = 5\n"
                                    "print x, X + 1\n"
                                    "a = 2\n"
                                    "y = a = 2\n"
                                    "z = a = 3\n"
                                    "print y, z\n");
    EXPECT_EQ(run.status, ExitRan);
    EXPECT_EQ(run.out, "Single 11\nSingle 7\nLong 5\nLong 6\nBoolean True\nBoolean False\n");
}

TEST(ScriptInterpreter, EngineNamesNeverBecomeVariables)
{
    const ScriptRun run = runScript("Version = 1\n"
                                    "print TypeName(Version)\n");
    EXPECT_EQ(run.status, ExitFailed);
    EXPECT_EQ(run.out, "error 80020003 Version cannot be written\nString String\n");
}

TEST(ScriptHost, CallsMayLeaveOutTheirTrailingArguments)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("c1").toStdString();
    const ScriptRun run = runScript("AddText \"t\", \"Defaults\", 1, 1, 6.5, 0\n"
                                    "print SaveToPNG(\"" + file + "\")\n");
    EXPECT_EQ(run.status, ExitRan) << run.out;
    EXPECT_EQ(run.out, "Long 0\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file + ".PNG")));
}

TEST(ScriptOptionExplicit, AssigningAnUndeclaredNameStopsTheScriptAtItsLine)
{
    struct Case {
        const char* source;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"Option Explicit\nDim total\ntotal = 1\nTextFontForeColr = 255\n", 4,
         "variable is undefined: TextFontForeColr"},
        {"option explicit\nNewPage\nx = 1\n", 3, "variable is undefined: x"},
        {"NewPage\nOption Explicit\n", 2, "Option Explicit must come before any other statement"},
        {"Option Strict\n", 1, "expected Explicit after Option, found 'Strict'"},
        {"Dim a, b, A\n", 1, "name redefined: A"},
        {"Dim 5\n", 1, "expected a variable name, found '5'"},
        {"Dim Len\n", 1, "expected a variable name, found 'Len'"},
        {"x = 1\nDim PageWidth\n", 2, "PageWidth is an operation of the report engine"},
        {"Dim = 3\n", 1, "expected a variable name, found '='"},
    };
    for (const Case& c : cases) {
        try {
            TScriptParser::parse(c.source);
            ADD_FAILURE() << "parsed: " << c.source;
        } catch (const TScriptSyntaxError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_STREQ(e.what(), c.message) << c.source;
        }
    }

    const ScriptRun run = runScript("Option Explicit\nNewPage\nTextFontForeColr = 255\n", true);
    EXPECT_EQ(run.status, ExitBadInput);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "orvreport: test.orv:3: variable is undefined: TextFontForeColr\n");
}

TEST(ScriptOptionExplicit, DeclaredNamesAndEngineOperationsStillWork)
{
    // Declarations hold for the whole script, wherever they stand, and a
    // declared variable reads Empty until it is assigned.
    const ScriptRun run = runScript("Option Explicit\n"
                                    "' the text colour\n"
                                    "TextFontForeColor = 255\n"
                                    "print later\n"
                                    "later = TextFontForeColor + 1\n"
                                    "Dim later, name\n"
                                    "name = \"out\"\n"
                                    "print later, name, TextFontForeColor\n");
    EXPECT_EQ(run.status, ExitRan) << run.err;
    EXPECT_EQ(run.out, "Empty\nLong 256\nString out\nLong 255\n");

    // Without Option Explicit a misspelt name still becomes a variable.
    const ScriptRun loose = runScript("TextFontForeColr = 255\nprint TextFontForeColr, TextFontForeColor\n");
    EXPECT_EQ(loose.status, ExitRan);
    EXPECT_EQ(loose.out, "Long 255\nLong 0\n");
}

TEST(ScriptInterpreter, ArgumentsPassedByValueLeaveVariablesAlone)
{
    // The control converts its own copies; the script's values stay as they were.
    const ScriptRun run = runScript("w = 5\nn = \"2\"\nNewPage w, , , , n\nprint w, n, nTotalPages, PageWidth\n");
    EXPECT_EQ(run.status, ExitRan);
    EXPECT_EQ(run.out, "Long 5\nString 2\nLong 2\nSingle 5\n");
}

TEST(ScriptInterpreter, PrintsEachTypeWithItsName)
{
    EXPECT_EQ(printed("3"), "Long 3");
    EXPECT_EQ(printed("\"Hello \"\"you\"\"\""), "String Hello \"you\"");
    EXPECT_EQ(printed("True"), "Boolean True");
    EXPECT_EQ(printed("CSng(8.2677165)"), "Single 8.267716");
    EXPECT_EQ(printed("0.1"), "Double 0.1");
    EXPECT_EQ(printed("1.5E3"), "Double 1500");
    EXPECT_EQ(printed("3000000000"), "Double 3000000000");
    EXPECT_EQ(printed("CCur(0.25)"), "Currency 0.25");
    EXPECT_EQ(printed("CInt(5)"), "Integer 5");
    EXPECT_EQ(printed("Empty"), "Empty");
    EXPECT_EQ(printed("Null"), "Null");

    EXPECT_EQ(TScriptInterpreter::printedText(Variant(uint8_t(7))), "Byte 7");
    EXPECT_EQ(TScriptInterpreter::printedText(Variant::error(static_cast<int32_t>(0x800A0005))), "Error 5");
    EXPECT_EQ(TScriptInterpreter::printedText(Variant(Variant::Bytes(1234, 'x'))), "Bytes 1234");
}

TEST(ScriptOperators, FollowVbTyping)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 + 2", "Long 3"},
        {"2147483647 + 1", "Double 2147483648"},
        {"-2147483647 - 2", "Double -2147483649"},
        {"65536 * 65536", "Double 4294967296"},
        {"6 / 3", "Double 2"},
        {"CInt(200) * CInt(100)", "Integer 20000"},
        {"CInt(200) * CInt(200)", "Long 40000"},
        {"CInt(2) + CInt(3)", "Integer 5"},
        {"CSng(1.5) + 1", "Single 2.5"},
        {"CSng(1.5) + 0.25", "Double 1.75"},
        {"CCur(0.1) + 1", "Currency 1.1"},
        {"\"a\" + \"b\"", "String ab"},
        {"\"2\" + 1", "Double 3"},
        {"True + True", "Integer -2"},
        {"1 & 2", "String 12"},
        {"Null & \"x\" & Empty", "String x"},
        {"-CInt(5)", "Integer -5"},
        {"Null + 1", "Null"},
        {"6 And 3", "Long 2"},
        {"6 Or 3", "Long 7"},
        {"Not 0", "Long -1"},
        {"Not True", "Boolean False"},
        {"\"b\" > \"a\"", "Boolean True"},
        {"\"2\" < \"10\"", "Boolean False"},
        {"2 < 10", "Boolean True"},
        {"1 <> 1.5", "Boolean True"},
        {"3 >= 3", "Boolean True"},
    };
    for (const auto& [expression, result] : cases)
        EXPECT_EQ(printed(expression), result) << expression;
}

TEST(ScriptOperators, BindInVbPrecedence)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1 + 2 * 3", "Long 7"},
        {"(1 + 2) * 3", "Long 9"},
        {"-2 * -3", "Long 6"},
        {"10 - 2 - 3", "Long 5"},
        {"8 / 2 / 2", "Double 2"},
        {"1 + 2 & 3", "String 33"},
        {"\"a\" & \"b\" = \"ab\"", "Boolean True"},
        {"1 < 2 = True", "Boolean True"},
        {"Not 1 = 2", "Boolean True"},
        {"Not False And False", "Boolean False"},
        {"True Or False And False", "Boolean True"},
    };
    for (const auto& [expression, result] : cases)
        EXPECT_EQ(printed(expression), result) << expression;
}

TEST(ScriptBuiltins, ConvertAndMeasureText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CInt(2.5)", "Integer 2"},
        {"CLng(\"12\")", "Long 12"},
        {"CDbl(\"0.1\")", "Double 0.1"},
        {"CStr(1.5)", "String 1.5"},
        {"CBool(\"true\")", "Boolean True"},
        {"Len(\"h\u00e9llo\")", "Long 5"},
        {"Len(vbCrLf & vbTab)", "Long 3"},
        {"Len(\"\xF0\x9D\x84\x9E\")", "Long 1"},
        {"Mid(\"a\xF0\x9D\x84\x9E\" & \"b\", 3)", "String b"},
        {"Mid(\"abc\", 9)", "String "},
        {"Len(Null)", "Null"},
        {"Mid(\"abcdef\", 2, 3)", "String bcd"},
        {"Mid(\"abcdef\", 3)", "String cdef"},
        {"Mid(\"abc\", 9)", "String "},
        {"Chr(65) & Chr(97)", "String Aa"},
        {"TypeName(1.5)", "String Double"},
        {"len(\"ab\")", "Long 2"},
    };
    for (const auto& [expression, result] : cases)
        EXPECT_EQ(printed(expression), result) << expression;
}

TEST(ScriptInterpreter, ExpressionFailuresReportTheirStatus)
{
    const std::pair<const char*, const char*> cases[] = {
        {"print 1 / 0", "error 800A000B Division by zero"},
        {"print \"a\" - 1", "error 80020005 "},
        {"print Mid(\"a\")", "error 8002000E "},
        {"print Mid(\"a\", , 1)", "error 80020004 "},
        {"print Mid(\"abc\", 0)", "error 800A0005 "},
        {"print Chr(300)", "error 800A0005 "},
        {"print CInt(40000)", "error 8002000A "},
        {"print PageWidth(1)", "error 8002000E "},
        {"print 1, 2 * \"x\"", "error 80020005 "}, // prints none of its values
    };
    for (const auto& [statement, error] : cases) {
        const ScriptRun run = runScript(std::string(statement) + "\nprint 7\n");
        EXPECT_EQ(run.status, ExitFailed) << statement;
        EXPECT_TRUE(startsWith(run.out, error)) << statement << ": " << run.out;
        EXPECT_TRUE(run.out.ends_with("\nLong 7\n")) << statement << ": " << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << statement << ": " << run.out;
    }
}

TEST(ReportSummary, ListsEveryPage)
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    std::ostringstream out;
    TScriptInterpreter interpreter(control, ui, out);
    ASSERT_TRUE(interpreter.run(TScriptParser::parse("NewPageByPaperSize 9, 1\n"
                                                     "NewPage 8.5, 14\n"
                                                     "r = SetPageNumberToOne(3)\n"
                                                     "SetAll \"WatermarkText\", \"DRAFT\", \"\", 2, 2\n")));

    printReportSummary(control.report(), out);
    EXPECT_EQ(out.str(), "report 3 pages\n"
                         "page 1: 8.5 x 11 in, paper 1, portrait, numbered 1 of 2, 0 objects\n"
                         "page 2: 11.69291 x 8.267716 in, paper 9, landscape, numbered 2 of 2, 0 objects, "
                         "watermark \"DRAFT\"\n"
                         "page 3: 8.5 x 14 in, paper 5, portrait, numbered 1 of 1, 0 objects\n");
}

TEST(OrvreportCommand, ExitStatusTellsWhatHappened)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString script = directory.filePath("script.orv");
    struct Result {
        int status;
        std::string out;
        std::string err;
    };
    auto run = [&](QStringList arguments, const QByteArray& source = {}) {
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source);
        file.close();
        QProcess process;
        process.setWorkingDirectory(directory.path());
        process.start(ORV_SCRIPT_HOST, arguments.replaceInStrings("SCRIPT", script));
        EXPECT_TRUE(process.waitForFinished(30000));
        return Result{process.exitCode(), process.readAllStandardOutput().toStdString(),
                      process.readAllStandardError().toStdString()};
    };

    const Result ran = run({"run", "SCRIPT"}, "print 1 + 1\n");
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out, "Long 2\n");

    const Result failed = run({"run", "SCRIPT"}, "ShuffleReport 1\nprint 2\n");
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(startsWith(failed.out, "error 80020006 ")) << failed.out;
    EXPECT_TRUE(failed.out.ends_with("\nLong 2\n")) << failed.out;

    const Result broken = run({"run", "SCRIPT", "--events"}, "print 1\nprint \"x\n");
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");
    EXPECT_NE(broken.err.find("script.orv:2: unterminated string\n"), std::string::npos) << broken.err;

    EXPECT_EQ(run({"run"}).status, 2);
    EXPECT_EQ(run({"run", "SCRIPT", "--verbose"}).status, 2);
    EXPECT_EQ(run({"run", directory.filePath("missing.orv")}).status, 2);

    // The bundled demo is found in the source tree; its report's pages are listed after it ran.
    const Result demo = run({"demo"});
    EXPECT_EQ(demo.status, 0) << demo.out << demo.err;
    EXPECT_NE(demo.out.find("\npage 1: "), std::string::npos) << demo.out;
}

TEST(ScriptHost, DeepNestingIsASyntaxErrorNamingItsLine)
{
    const std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
    for (const std::string& expression : {deep, std::string(100000, '-') + "1", [] {
             std::string nots;
             for (int i = 0; i < 100000; ++i)
                 nots += "Not ";
             return nots + "True";
         }()}) {
        const ScriptRun run = runScript("NewPage\nprint " + expression + "\n");
        EXPECT_EQ(run.status, ExitBadInput);
        EXPECT_EQ(run.err, "orvreport: test.orv:2: expression nested more than 200 levels deep\n");
        EXPECT_EQ(run.out, "");
    }
    const ScriptRun shallow = runScript("print " + std::string(150, '(') + "1" + std::string(150, ')') + "\n");
    EXPECT_EQ(shallow.out, "Long 1\n");
}

TEST(ScriptHost, LongChainsOfOperatorsRunWithoutRecursing)
{
    std::string sum = "print 0";
    for (int i = 0; i < 50000; ++i)
        sum += " + 1";
    std::string text = "print \"\"";
    for (int i = 0; i < 50000; ++i)
        text += " & \"x\"";
    std::string comparisons = "print 1";
    for (int i = 0; i < 50000; ++i)
        comparisons += " = 1";
    const ScriptRun run = runScript(sum + "\nprint Len(" + text.substr(6) + ")\n" + comparisons + "\n");
    EXPECT_EQ(run.status, ExitRan);
    EXPECT_EQ(run.out, "Long 50000\nLong 50000\nBoolean False\n");
}

TEST(ScriptHost, FindWithoutTextTakesTheAnsweredText)
{
    const ScriptRun run = runScript("NewPage\nAddText \"a\", \"Net total\", 1, 1, 4, 0\nNewPage\n"
                                    "AddText \"b\", \"Grand TOTAL\", 1, 1, 4, 0\n"
                                    "Answer \"total\"\nFind \"\"\nprint nPageNumber\n"
                                    "Answer \"Cancel\"\nFind \"\"\nprint nPageNumber\n"
                                    "Find \"TOTAL\", True\nprint nPageNumber\n"
                                    "LanguageIndexID = 3\nAnswer \"Cancel\"\nFind \"\"\nprint LanguageIndexID\n");
    EXPECT_EQ(run.status, ExitRan) << run.out;
    EXPECT_EQ(run.out, "dialog input Find Text\nLong 2\ndialog input Find Text\nLong 2\nLong 3\n"
                       "dialog input Entdeckung-Text\nLong 3\n");
}

TEST(ScriptParser, KeepsTheDeclarationsAndFindsTheFirstFault)
{
    const script::Program program =
        TScriptParser::parse("Option Explicit\nDim a\na = 1\na = 2\nTextFontSize = 9\nDim b, c\nb = a\n");
    ASSERT_EQ(program.declarations.size(), 3u);
    EXPECT_EQ(program.declarations[2].name, "c");
    EXPECT_EQ(program.declarations[2].line, 6);
    EXPECT_TRUE(program.optionExplicit);

    // Blank lines, comments and declarations leave no code.
    EXPECT_TRUE(TScriptParser::parse("\n' only a comment\r\nDim x\n").code.empty());

    // The first assignment of an undeclared name is the fault, however often
    // the name and others are assigned later.
    try {
        TScriptParser::parse("Option Explicit\nDim a\nx = 1\na = 2\ny = 3\nx = 4\n");
        ADD_FAILURE() << "an undeclared name passed";
    } catch (const TScriptSyntaxError& e) {
        EXPECT_EQ(e.line(), 3);
        EXPECT_STREQ(e.what(), "variable is undefined: x");
    }
    // A syntax fault anywhere comes before a name check.
    try {
        TScriptParser::parse("Option Explicit\nx = 1\nprint (\n");
        ADD_FAILURE() << "a broken script passed";
    } catch (const TScriptSyntaxError& e) {
        EXPECT_EQ(e.line(), 3);
    }
}

TEST(ScriptHost, VariablesPassedByReferenceTakeWhatTheOperationWroteBack)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    const ScriptRun run = runScript("NewPage\nf = \"" + base + "one\"\ng = \"" + base + "two\"\n"
                                    "SaveToPDF f\nSaveToPDF (g), False\nprint f, g\n");
    EXPECT_EQ(run.status, ExitRan) << run.out;
    // The written file's name comes back into f; (g) is a value, g stays.
    EXPECT_EQ(run.out, "String " + base + "one.PDF\nString " + base + "two\n");
}

TEST(ScriptHost, LongScriptsRunStatementByStatementWithTheirVariables)
{
    // Variables and by-reference arguments live across statements read one
    // at a time; a declaration after its use still holds from the start.
    std::string source = "Option Explicit\nn = 0\n";
    for (int i = 0; i < 2000; ++i)
        source += "n = n + 1\nAddText \"t\", \"Line \" & n, 1, 1 + n / 1000, 6.5, 0.2\n";
    source += "print n, nTotalPages\nDim n\n";
    const ScriptRun run = runScript(source);
    EXPECT_EQ(run.status, ExitRan) << run.err;
    EXPECT_EQ(run.out, "Long 2000\nLong 1\n");
}

TEST(ScriptParser, NumbersAreTheNearestDoubles)
{
    // Short decimals take a quicker route than long ones and exponents: all
    // must land on the double from_chars gives.
    std::mt19937_64 random(7);
    for (int i = 0; i < 3000; ++i) {
        std::string text(1 + random() % 18, '0');
        for (char& digit : text)
            digit = static_cast<char>('0' + random() % 10);
        const size_t point = random() % (text.size() + 1);
        if (point < text.size())
            text.insert(point, ".");
        if (text.front() == '.')
            text.insert(0, "0");
        if (i % 7 == 0)
            text += "e" + std::to_string(static_cast<int>(random() % 40) - 20);
        const script::Program program = TScriptParser::parse("print " + text + "\n");
        script::TScriptCodeReader statements(program.code);
        script::TScriptCodeReader code(statements.nextStatement());
        const script::Instruction number = code.next();
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        if (number.op == script::Op::Long)
            EXPECT_EQ(number.integer, expected) << text;
        else
            EXPECT_EQ(number.real, expected) << text;
    }
}
