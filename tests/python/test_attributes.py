import os
from decimal import Decimal

import pytest

import orvreport


def add_text(r, name, text, x=1.0, y=1.0, width=6.5, height=0.0, **options):
    # Every argument up to the alignment, so the call works whichever
    # trailing arguments the engine lets a caller leave out.
    args = dict(cFontName="Arial", nFontSize=12, nForeColor=0, nBackColor=16777215, cFontStyle="",
                nRotationAngle=0, nBackStyle=0, nAlignment=0, cSubType="")
    args.update(options)
    return r.AddText(name, text, x, y, width, height, **args)


class TestPropertyValues:
    def test_float_property_reads_back_as_set(self, engine):
        engine.PageWidth = 8.27
        assert engine.PageWidth == 8.27  # a Single read back as its shortest decimal
        assert isinstance(engine.PageWidth, float)

    def test_int_and_bool_properties(self, engine):
        engine.TextFontSize = 14
        assert engine.TextFontSize == 14 and isinstance(engine.TextFontSize, int)
        engine.AutoScroll = True
        assert engine.AutoScroll is True
        engine.AutoScroll = False
        assert engine.AutoScroll is False

    def test_str_property_round_trips_unicode(self, engine):
        engine.PDFTitle = "Q3 – Ümsatz 📈"
        assert engine.PDFTitle == "Q3 – Ümsatz 📈"

    def test_numbers_convert_as_automation_does(self, engine):
        engine.TextFontSize = 11.5  # rounds half to even
        assert engine.TextFontSize == 12
        engine.TextFontSize = "9"
        assert engine.TextFontSize == 9
        engine.AutoScroll = -1
        assert engine.AutoScroll is True

    def test_unconvertible_value_raises_engine_error_with_type_mismatch(self, engine):
        with pytest.raises(orvreport.EngineError) as caught:
            engine.PageWidth = "wide"
        assert caught.value.status == 0x80020005
        assert "PageWidth" in caught.value.message or caught.value.message

    def test_values_python_cannot_pass_raise_type_error(self, engine):
        with pytest.raises(TypeError, match="list"):
            engine.PDFTitle = ["a"]
        with pytest.raises(ValueError):
            engine.TextFontSize = 2**80

    def test_names_are_case_insensitive(self, engine):
        engine.pdftitle = "lower"
        assert engine.PDFTITLE == "lower"
        assert engine.PdfTitle == "lower"

    def test_read_only_and_unknown_names(self, engine):
        assert isinstance(engine.Version, str) and engine.Version
        with pytest.raises(AttributeError, match="read-only"):
            engine.Version = "2"
        with pytest.raises(AttributeError):
            engine.NoSuchOperation
        with pytest.raises(AttributeError):
            engine.NoSuchOperation = 1
        assert not hasattr(engine, "NoSuchOperation")

    def test_dir_lists_operations_and_python_members(self, engine):
        names = dir(engine)
        for expected in ("PageWidth", "AddText", "SaveToPDF", "PDFStream", "on", "show", "close"):
            assert expected in names
        assert names.count("PageWidth") == 1


class TestCalls:
    def test_methods_are_callable_operations_with_a_signature(self, engine):
        op = engine.AddShape
        assert callable(op) and op.name == "AddShape"
        assert op.__doc__.startswith("AddShape(self, cName: Any, nHPos: float")
        assert "nFillColor: int = 0" in op.__doc__

    def test_positional_and_keyword_arguments_any_case(self, engine):
        assert engine.nTotalPages == 1  # an engine starts with one page
        engine.AddShape("box", 1, 1, 2, 1, nFillColor=255, NFILLSTYLE=0)
        engine.NewPage(8.5, 11, nPageNumber=1)  # inserted before page 1
        assert engine.nTotalPages == 2
        assert engine.nPageNumber == 1

    def test_keyword_errors_are_type_errors(self, engine):
        with pytest.raises(TypeError, match="unexpected keyword argument 'nColour'"):
            engine.AddShape("box", 1, 1, 2, 1, nColour=3)
        with pytest.raises(TypeError, match="multiple values for argument 'nHPos'"):
            engine.AddShape("box", 1, 1, 2, 1, nHPos=2)
        with pytest.raises(TypeError, match="at most"):
            engine.DeletePage(1, 1, 1)
        with pytest.raises(TypeError, match="missing required argument 'nPageNumber'"):
            engine.GotoPage()

    def test_omitted_and_none_arguments_take_their_defaults(self, engine):
        for _ in range(3):
            engine.NewPage()
        assert engine.nTotalPages == 4
        # nStartPage=0, nLastPage=0: the current page only, however the
        # defaults are asked for.
        engine.DeletePage()
        assert engine.nTotalPages == 3
        engine.DeletePage(None, nLastPage=None)
        assert engine.nTotalPages == 2
        engine.DeletePage(0, 0)
        assert engine.nTotalPages == 1

    def test_currency_parameters_take_decimals(self, engine):
        engine.NewPage()
        engine.AddGrid("g", Decimal("1.25"), Decimal("1.5"), Decimal("4"), Decimal("2.0001"), 3, 2)
        with pytest.raises(ValueError, match="currency range"):
            engine.AddGrid("g", Decimal("1e20"), 1, 1, 1, 1, 1)

    def test_by_reference_argument_comes_back_with_the_result(self, engine, tmp_path):
        add_text(engine, "t", "By reference")
        target = tmp_path / "byref.pdf"
        result = engine.SaveToPDF(str(target))
        assert isinstance(result, tuple) and len(result) == 2
        status, final_name = result
        assert status == 0
        # The engine names the file it wrote, extension and all.
        assert final_name == str(tmp_path / "byref.PDF")
        assert os.path.getsize(final_name) > 0

    def test_failed_operation_raises_engine_error_with_its_status(self, engine):
        with pytest.raises(orvreport.EngineError) as caught:
            engine.NewPage(nPageNumber=-5)
        error = caught.value
        assert isinstance(error, RuntimeError)
        assert error.status == 0x8000FFFF
        assert "-5" in error.message
        assert "0x8000FFFF" in str(error)
        assert engine.nTotalPages == 1  # the refused page was not added

    def test_an_operation_object_keeps_its_engine_alive(self):
        import gc

        new_page = orvreport.Engine().NewPage
        gc.collect()
        new_page()
        assert new_page.__self__.nTotalPages == 2


def test_parameters_whose_names_python_cannot_spell_take_an_identifier(engine, tmp_path):
    # GetImageInfo's second parameter is declared as "file name".
    assert "file_name: Any" in engine.GetImageInfo.__doc__
    missing = str(tmp_path / "none.png")
    assert engine.GetImageInfo(1, file_name=missing) == engine.GetImageInfo(1, missing)
