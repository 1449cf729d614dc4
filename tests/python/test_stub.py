import ast
from pathlib import Path

import orvreport

STUB = Path(orvreport.__file__).with_name("orvreport.pyi")


def test_stub_parses_and_describes_every_operation():
    tree = ast.parse(STUB.read_text())
    engine = next(node for node in tree.body if isinstance(node, ast.ClassDef) and node.name == "Engine")
    methods = {node.name: node for node in engine.body if isinstance(node, ast.FunctionDef)}
    attributes = {node.target.id for node in engine.body if isinstance(node, ast.AnnAssign)}
    r = orvreport.Engine()
    try:
        for name in dir(r):
            if not name.startswith("_"):
                assert name in methods or name in attributes, name
    finally:
        r.close()

    add_grid = methods["AddGrid"]
    params = [a.arg for a in add_grid.args.args]
    assert params[:3] == ["self", "cName", "nHPos"]
    assert ast.unparse(add_grid.args.args[2].annotation) == "Decimal"
    assert ast.unparse(add_grid.returns) == "int"
    save = methods["SaveToPDF"]
    assert ast.unparse(save.returns) == "tuple[Any, Any]"
    assert "PageWidth" in attributes  # read and written
    version = methods["Version"]  # read only
    assert any(ast.unparse(d) == "property" for d in version.decorator_list)
