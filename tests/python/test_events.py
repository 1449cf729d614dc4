import pytest

import orvreport


def test_events_are_listed_by_name():
    assert "OnPageClick" in orvreport.EVENTS and "OnDestroy" in orvreport.EVENTS


def test_on_destroy_reaches_its_handler_when_the_engine_closes():
    r = orvreport.Engine()
    heard = []
    r.on("ondestroy", lambda *args: heard.append(args))  # names in any case
    r.close()
    assert heard == [()]
    assert r.closed
    with pytest.raises(RuntimeError, match="closed"):
        r.PageWidth


def test_handler_receives_the_event_arguments(engine):
    clicks = []

    @engine.on("OnPageClick")
    def clicked(page, x, y):
        clicks.append((page, x, y))

    engine._fire("OnPageClick", 2, 1.5, 0.25)
    assert clicks == [(2, 1.5, 0.25)]
    assert engine.off("OnPageClick", clicked) is True
    engine._fire("OnPageClick", 3, 0, 0)
    assert len(clicks) == 1


def test_handler_return_value_replaces_the_key(engine):
    engine.on("OnKeyPress", lambda key: key + 1)
    assert engine._fire("OnKeyPress", 65) == [66]
    engine.off("OnKeyPress")
    assert engine._fire("OnKeyPress", 65) == [65]


def test_handler_errors_surface_after_the_call(engine):
    def broken(*args):
        raise ValueError("handler failed")

    engine.on("OnPageClick", broken)
    with pytest.raises(ValueError, match="handler failed"):
        engine._fire("OnPageClick", 1, 0, 0)
    engine.on("OnKeyPress", lambda key: "not a key")
    with pytest.raises(ValueError, match="not a key code"):
        engine._fire("OnKeyPress", 65)


def test_bad_event_registrations(engine):
    with pytest.raises(ValueError, match="no event named OnNothing"):
        engine.on("OnNothing", print)
    with pytest.raises(TypeError, match="callable"):
        engine.on("OnPaint", 42)
