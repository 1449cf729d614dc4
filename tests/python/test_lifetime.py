import gc
import os
import textwrap
import threading
import weakref

import pytest

import orvreport
from conftest import run_python


def run_in_other_thread(work):
    outcome = {}

    def runner():
        try:
            outcome["value"] = work()
        except BaseException as error:  # handed back to the test's thread
            outcome["error"] = error

    thread = threading.Thread(target=runner)
    thread.start()
    thread.join()
    return outcome


class TestThreads:
    def test_every_kind_of_use_from_another_thread_raises(self, engine):
        new_page = engine.NewPage
        attempts = {
            "read": lambda: engine.PageWidth,
            "write": lambda: setattr(engine, "PDFTitle", "x"),
            "call": lambda: new_page(),
            "event": lambda: engine.on("OnPaint", print),
            "close": lambda: engine.close(),
        }
        for kind, attempt in attempts.items():
            outcome = run_in_other_thread(attempt)
            assert isinstance(outcome.get("error"), RuntimeError), kind
            assert "thread that created it" in str(outcome["error"]), kind
        # Nothing happened to the engine, and it still works on its thread.
        assert engine.nTotalPages == 1 and engine.PDFTitle == ""
        assert not engine.closed

    def test_an_engine_cannot_be_created_off_the_qt_thread(self):
        orvreport.Engine().close()  # Qt now runs on this thread
        outcome = run_in_other_thread(orvreport.Engine)
        assert isinstance(outcome.get("error"), RuntimeError)
        assert "thread" in str(outcome["error"])

    def test_an_engine_dropped_on_another_thread_is_destroyed_on_its_own(self):
        destroyed_on = []
        r = orvreport.Engine()
        r.on("OnDestroy", lambda: destroyed_on.append(threading.get_ident()))
        holder = [r]
        del r
        run_in_other_thread(lambda: holder.clear())  # the last reference goes there
        assert destroyed_on == []
        orvreport.Engine().close()  # the next engine made on Qt's thread clears it up
        assert destroyed_on == [threading.get_ident()]


class TestLifetime:
    def test_context_manager_closes(self):
        with orvreport.Engine() as r:
            r.NewPage()
        assert r.closed
        with pytest.raises(RuntimeError, match="closed"):
            r.NewPage()
        r.close()  # closing twice is harmless

    def test_an_engine_its_own_handlers_refer_to_is_freed_by_the_collector(self):
        r = orvreport.Engine()
        r.on("OnPageClick", lambda page: r.GotoPage(page))
        r.on("OnPaint", r.NewPage)
        gone = weakref.ref(r)
        del r
        gc.collect()
        assert gone() is None

    def test_a_thousand_engines_leave_the_working_set_flat(self):
        # Run apart so that the measurement sees only engines; under the
        # sanitizer, freed memory must not wait in its quarantine.
        code = textwrap.dedent(
            """
            import gc, orvreport
            def rss_kib():
                with open("/proc/self/status") as status:
                    return next(int(l.split()[1]) for l in status if l.startswith("VmRSS:"))
            def churn(n):
                for i in range(n):
                    r = orvreport.Engine()
                    r.AddShape("s", 1, 1, 2, 2)
                    r.PDFTitle = "engine %d" % i
                    del r
                gc.collect()
            churn(200)
            before = rss_kib()
            churn(1000)
            print(rss_kib() - before)
            """
        )
        env = dict(os.environ)
        if "libasan" in env.get("LD_PRELOAD", ""):
            env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":quarantine_size_mb=0"
        result = run_python(code, env=env)
        assert result.returncode == 0, result.stderr
        growth_kib = int(result.stdout.split()[-1])
        assert growth_kib < 8 * 1024, f"the working set grew by {growth_kib} KiB over 1000 engines"


def test_without_a_display_the_engine_runs_offscreen():
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    code = textwrap.dedent(
        """
        import orvreport
        r = orvreport.Engine(window=True)
        r.show()
        try:
            r.show(wait=True)
        except RuntimeError as error:
            print("refused:", error)
        print(r.nTotalPages)
        """
    )
    result = run_python(code, env=env)
    assert result.returncode == 0, result.stderr
    assert "refused: orvreport: there is no display" in result.stdout
    assert result.stdout.split()[-1] == "1"
