// Writes a C++ file that calls every method with optional parameters with
// only its required arguments, through the control and through the
// interface, from the dispatch table: orvreport-shortest-calls OUTPUT.cpp
// The test binary compiles that file, so a typed parameter that lacks the
// default automation callers may omit fails the build.
#include <orvreport/Dispatch.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using orv::ParamDecl;
using orv::VarType;

// A value of the parameter's type; temporaries throughout, so that
// parameters written back need their overload for temporaries.
const char* argumentOf(VarType type)
{
    switch (type) {
    case VarType::R4: return "1.0f";
    case VarType::R8: return "1.0";
    case VarType::I4: return "int32_t{1}";
    case VarType::I2: return "int16_t{1}";
    case VarType::UI1: return "uint8_t{1}";
    case VarType::Bool: return "false";
    case VarType::CY: return "Currency{}";
    case VarType::BSTR: return "std::string()";
    default: return "Variant()";
    }
}

bool hasOptional(const orv::DispatchEntry& entry)
{
    return std::any_of(entry.params.begin(), entry.params.end(),
                       [](const ParamDecl& p) { return p.presence != ParamDecl::Presence::Required; });
}

std::string shortestCall(const orv::DispatchEntry& entry)
{
    std::string call = "    r." + entry.name + "(";
    bool first = true;
    for (const ParamDecl& param : entry.params) {
        if (param.presence != ParamDecl::Presence::Required)
            break;
        call += first ? "" : ", ";
        call += argumentOf(param.type);
        first = false;
    }
    return call + ");\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: orvreport-shortest-calls OUTPUT.cpp\n";
        return 2;
    }
    std::ostringstream calls, names;
    for (const orv::DispatchEntry& entry : orv::TDispatchTable::instance().entries()) {
        if (entry.kind != orv::InvokeMethod || !hasOptional(entry))
            continue;
        calls << shortestCall(entry);
        names << "    \"" << entry.name << "\",\n";
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Written by orvreport-shortest-calls from the dispatch table; do not edit.\n"
           "#include <orvreport/TORVREP.h>\n\n"
           "#include <string>\n#include <vector>\n\n"
           "namespace orv::shortestcalls {\n\n"
           "// Compiled, never run: a build that succeeds is the check.\n"
           "void throughControl(TORVREP& r)\n{\n"
        << calls.str()
        << "}\n\nvoid throughInterface(IOrvReportEngine& r)\n{\n"
        << calls.str()
        << "}\n\nextern const std::vector<std::string> kOperations = {\n"
        << names.str() << "};\n\n} // namespace orv::shortestcalls\n";
    out.close();
    if (!out) {
        std::cerr << "orvreport-shortest-calls: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
