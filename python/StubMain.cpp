// Writes orvreport.pyi, the type stub of the Python module, from the
// dispatch table: orvreport-pyi OUTPUT
#include "Signatures.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: orvreport-pyi OUTPUT.pyi\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << orv::python::typeStub();
    out.close();
    if (!out) {
        std::cerr << "orvreport-pyi: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
