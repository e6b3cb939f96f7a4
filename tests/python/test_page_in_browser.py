"""settle-plot's page of every example opened in headless Chromium: no label
over another or over a point's mark in the rendered drawings, printed to PDF on
A4 and letter, landscape, with the map filling at least 60 % of its sheet, no
text below 7 pt and no page nearly empty. The screenshots and the PDF files
are kept in $SETTLE_SCREENSHOTS (default: the test's temporary folder) for
review. A site project's page is opened too: its plan of every load kind,
its section with the ground and the water, and its stress profile render
without an error on the browser's console."""

import os
import re
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest

from cases import EXAMPLES, SETTLE_PLOT_EXE, names_of, problem_path

CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
CHROMEDRIVER = shutil.which("chromedriver")
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
except ImportError:  # pragma: no cover - depends on the machine
    webdriver = None

if not CHROMIUM or not CHROMEDRIVER or webdriver is None:
    pytest.skip(
        "Chromium, chromedriver or selenium is not installed (Debian: chromium chromium-driver "
        "python3-selenium): the page is not checked in a browser",
        allow_module_level=True,
    )
if not SETTLE_PLOT_EXE.exists():
    pytest.skip("settle-plot is not built", allow_module_level=True)

# The sheets, landscape, in millimetres; the page's own @page margin is 8 mm.
PAPERS = {"a4": (297.0, 210.0), "letter": (279.4, 215.9)}
MARGIN_MM = 8.0
PX_PER_MM = 96 / 25.4
# Pages each example prints to: a cover, the map (the sample's stress map
# too), the section with the distortion table, the profiles (six to a page)
# and what long tables add.
PAGES = {"sample": (5, 6), "si_units": (4, 6), "large": (7, 14)}
# The examples and the options they are drawn with; the large one on a
# coarser grid than its default, which draws the same labels in a fifth of the time.
RUNS = {
    "sample": ["--stress-depth", "2"],
    "si_units": ["--structures", "Raft=1,2,4;Tank=3,5"],
    "large": ["--grid-spacing", "5"],
}

# Boxes of the labels and marks of every drawing, as rendered.
BOXES_JS = """
const out = [];
for (const svg of document.querySelectorAll('svg.plan')) {
  const rect = r => { const b = r.getBoundingClientRect();
                      return [b.left, b.top, b.right, b.bottom]; };
  out.push({
    labels: [...svg.querySelectorAll('text.label')].map(t => ({
        text: t.textContent, box: rect(t)})),
    marks: [...svg.querySelectorAll('g.point .mark')].map(m => ({
        point: m.parentNode.getAttribute('data-position'), box: rect(m)})),
    kind: svg.getAttribute('class')});
}
return out;
"""

# Under print media: the map's size and the smallest text of every drawing, in
# CSS pixels (a ninety-sixth of an inch).
PRINT_JS = """
const plan = document.querySelector('svg.plan.settlement-map').getBoundingClientRect();
let smallest = 1e9, where = '';
for (const svg of document.querySelectorAll('svg')) {
  const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
  for (const t of svg.querySelectorAll('text')) {
    if (!t.textContent.trim()) continue;
    const size = parseFloat(getComputedStyle(t).fontSize) * scale;
    if (size < smallest) { smallest = size; where = svg.getAttribute('class') + ': ' + t.textContent; }
  }
}
return {width: plan.width, height: plan.height, smallest: smallest, where: where};
"""


def screenshot_folder(tmp_path_factory):
    folder = os.environ.get("SETTLE_SCREENSHOTS")
    path = Path(folder) if folder else tmp_path_factory.mktemp("screenshots")
    path.mkdir(parents=True, exist_ok=True)
    return path


@pytest.fixture(scope="module")
def shots(tmp_path_factory):
    return screenshot_folder(tmp_path_factory)


@pytest.fixture(scope="module")
def browser():
    profile = tempfile.mkdtemp(prefix="settle-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                 f"--user-data-dir={profile}"):  # fmt: skip
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    # The sanitizer build preloads its runtimes for the module; chromedriver and
    # Chromium are not built with them and do not start under the preload.
    environment = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER, env=environment), options=options)
    yield driver
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)


@pytest.fixture(scope="module", params=sorted(RUNS))
def page(request, tmp_path_factory):
    example = request.param
    folder = EXAMPLES / example
    work = tmp_path_factory.mktemp(example)
    shutil.copy(folder / "names.dat", work / "names.dat")
    shutil.copy(problem_path(folder), work / names_of(folder)[0])
    run = subprocess.run([str(SETTLE_PLOT_EXE), *RUNS[example]], cwd=work, capture_output=True,
                         timeout=900, env={**os.environ, "SOURCE_DATE_EPOCH": "1700000000"})  # fmt: skip
    assert run.returncode == 0, run.stderr.decode()
    return example, work / "settlement.html"


def overlap(a, b, slack=0.5):
    return (a[0] + slack < b[2] and b[0] + slack < a[2] and a[1] + slack < b[3]
            and b[1] + slack < a[3])  # fmt: skip


def test_no_label_meets_another_label_or_a_mark(browser, page, shots):
    example, path = page
    browser.set_window_size(1300, 1000)
    browser.get(path.as_uri())
    drawings = browser.execute_script(BOXES_JS)
    assert drawings, "no plan drawn"
    for drawing in drawings:
        labels, marks = drawing["labels"], drawing["marks"]
        assert len(labels) > 3, drawing["kind"]
        for i, a in enumerate(labels):
            for b in labels[i + 1:]:
                assert not overlap(a["box"], b["box"]), (drawing["kind"], a, b)
            for mark in marks:
                assert not overlap(a["box"], mark["box"]), (drawing["kind"], a, mark)
    # The whole page, kept for review.
    metrics = browser.execute_cdp_cmd("Page.getLayoutMetrics", {})
    height = int(metrics["cssContentSize"]["height"])
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                            {"width": 1300, "height": height, "deviceScaleFactor": 1,
                             "mobile": False})  # fmt: skip
    shot = browser.execute_cdp_cmd("Page.captureScreenshot",
                                   {"format": "png", "captureBeyondViewport": True})  # fmt: skip
    browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    import base64

    (shots / f"{example}.png").write_bytes(base64.b64decode(shot["data"]))


def page_inks(pdf):
    """For each page of `pdf`, how far down the sheet its content reaches (0..1);
    None where pdftoppm (Debian: poppler-utils) is missing."""
    if not shutil.which("pdftoppm"):
        return None
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["pdftoppm", "-r", "20", "-gray", str(pdf), f"{folder}/p"], check=True)
        reaches = []
        for image in sorted(Path(folder).glob("p*.pgm")):
            data = image.read_bytes()
            _, width, height, _ = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", data).group(0).split()
            header = len(re.match(rb"P5\s+\d+\s+\d+\s+\d+\s", data).group(0))
            width, height = int(width), int(height)
            pixels = data[header:]
            last = 0
            for row in range(height):
                if min(pixels[row * width:(row + 1) * width]) < 200:
                    last = row
            reaches.append(last / height)
        return reaches


@pytest.mark.parametrize("paper", sorted(PAPERS))
def test_printed_the_map_fills_its_sheet(browser, page, shots, paper):
    example, path = page
    sheet_w, sheet_h = PAPERS[paper]
    browser.get(path.as_uri())
    pdf = browser.execute_cdp_cmd("Page.printToPDF", {
        "landscape": True, "paperWidth": sheet_h / 25.4, "paperHeight": sheet_w / 25.4,
        "marginTop": MARGIN_MM / 25.4, "marginBottom": MARGIN_MM / 25.4,
        "marginLeft": MARGIN_MM / 25.4, "marginRight": MARGIN_MM / 25.4,
        "printBackground": True, "preferCSSPageSize": False})  # fmt: skip
    import base64

    data = base64.b64decode(pdf["data"])
    pdf_path = shots / f"{example}-{paper}.pdf"
    pdf_path.write_bytes(data)
    pages = len(re.findall(rb"/Type\s*/Page[^s]", data))
    low, high = PAGES[example]
    assert low <= pages <= high, f"{example} on {paper}: {pages} pages"
    reaches = page_inks(pdf_path)
    if reaches is not None:
        # The last page may end early; every other is more than a third full.
        for number, reach in enumerate(reaches[:-1], start=1):
            assert reach > 0.35, f"{example} on {paper}: page {number} is nearly empty"

    # The same layout on screen under print media: the content's width.
    content_w = (sheet_w - 2 * MARGIN_MM) * PX_PER_MM
    browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                            {"width": round(content_w), "height": 800, "deviceScaleFactor": 1,
                             "mobile": False})  # fmt: skip
    measured = browser.execute_script(PRINT_JS)
    browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    browser.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
    share = (measured["width"] / PX_PER_MM) * (measured["height"] / PX_PER_MM) / (sheet_w * sheet_h)
    assert share >= 0.60, f"{example} on {paper}: the map covers {share:.0%} of its sheet"
    assert measured["height"] / PX_PER_MM <= sheet_h - 2 * MARGIN_MM
    smallest_pt = measured["smallest"] * 72 / 96
    assert smallest_pt >= 7.0, f"{example} on {paper}: {smallest_pt:.1f} pt, {measured['where']}"


# A small site project with every load kind, groundwater lowered during the
# works and a layer with its own heads, analysed by the exact method.
PROJECT_TOML = """schema_version = 1
title = ["Yard extension", "every load kind"]
units = "SI"

[analysis]
method = "exact"
max_sublayer = 1.0

[groundwater]
water_table = 1.5
final_water_table = 3.0

[soils.fill]
model = "modulus"
mv = 0.0001

[soils.clay]
model = "index"
cc = 0.45
cr = 0.05
e0 = 1.20
ocr = 1.3

[[layers]]
name = "Fill"
bottom = 2.0
soil = "fill"
unit_weight = 19.0
saturated_unit_weight = 20.0

[[layers]]
name = "Soft clay"
bottom = 10.0
soil = "clay"
unit_weight = 17.0
head_top = 1.0
head_bottom = 0.5

[[points]]
name = "C1"
x = 0.0
y = 0.0

[[points]]
name = "C2"
x = 12.0
y = 3.0

[[loads]]
kind = "polygon"
name = "Pad"
vertices = [[-6.0, -4.0], [6.0, -4.0], [6.0, 4.0], [0.0, 7.0], [-6.0, 4.0]]
pressure = 40.0

[[loads]]
kind = "embankment"
name = "Bund"
x1 = -20.0
y1 = 10.0
x2 = -8.0
y2 = 10.0
crest_width = 2.0
height = 1.5
side_slope = 2.0
unit_weight = 19.0

[[loads]]
kind = "strip"
name = "Track"
x = 0.0
y = -14.0
angle = 10.0
width = 3.0
pressure = 15.0

[[loads]]
kind = "circle"
name = "Tank"
x = 14.0
y = 4.0
diameter = 6.0
pressure = 60.0

[[loads]]
kind = "rectangle"
name = "Shed"
x = 12.0
y = -8.0
x_length = 6.0
y_length = 3.0
angle = 30.0
pressure = 25.0

[[loads]]
kind = "spread"
name = "Mast"
x = -12.0
y = -6.0
x_length = 2.0
y_length = 2.0
load = 300.0
upper_depth = 0.0
lower_depth = 1.0
reference = "upper"
"""

# The rendered size of each of the project's views and of its marks.
PROJECT_VIEWS_JS = """
const size = e => { if (!e) return null; const b = e.getBoundingClientRect();
                    return [b.width, b.height]; };
return {
  plan: size(document.querySelector('svg.plan.settlement-map')),
  section: size(document.querySelector('svg.section-chart')),
  ground: size(document.querySelector('svg.ground-section')),
  profile: size(document.querySelector('svg.stress-profile')),
  water: size(document.querySelector('svg.ground-section g.water-table line')),
  final_water: size(document.querySelector('svg.ground-section g.final-water-table line')),
  heads: document.querySelectorAll('svg.ground-section g.head').length,
  loads: [...document.querySelectorAll('svg.plan g.load')].map(
      g => [g.getAttribute('class'), size(g.querySelector('.outline'))]),
  curves: [...document.querySelectorAll('svg.stress-profile polyline')].length,
};
"""


@pytest.fixture(scope="module")
def project_page(tmp_path_factory):
    work = tmp_path_factory.mktemp("project")
    (work / "yard.toml").write_text(PROJECT_TOML)
    run = subprocess.run([str(SETTLE_PLOT_EXE), "yard.toml", "yard.html"], cwd=work,
                         capture_output=True, timeout=900,
                         env={**os.environ, "SOURCE_DATE_EPOCH": "1700000000"})  # fmt: skip
    assert run.returncode == 0, run.stderr.decode()
    return work / "yard.html"


def test_project_page_draws_its_views_without_console_errors(browser, project_page, shots):
    browser.set_window_size(1300, 1000)
    browser.get_log("browser")  # what earlier pages left
    browser.get(project_page.as_uri())
    views = browser.execute_script(PROJECT_VIEWS_JS)
    for view in ("plan", "section", "ground", "profile"):
        assert views[view] and views[view][0] > 300 and views[view][1] > 200, (view, views)
    assert views["water"] and views["water"][0] > 300, views
    assert views["final_water"] and views["final_water"][0] > 300, views
    assert views["heads"] == 2, views
    kinds = sorted(cls.split()[1] for cls, _ in views["loads"])
    assert kinds == ["circle", "embankment", "polygon", "rectangle", "spread", "strip"], kinds
    for cls, box in views["loads"]:
        assert box and box[0] > 2 and box[1] > 2, (cls, box)
    assert views["curves"] >= 3, views
    errors = [entry for entry in browser.get_log("browser") if entry["level"] == "SEVERE"]
    assert not errors, errors
    metrics = browser.execute_cdp_cmd("Page.getLayoutMetrics", {})
    height = int(metrics["cssContentSize"]["height"])
    browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                            {"width": 1300, "height": height, "deviceScaleFactor": 1,
                             "mobile": False})  # fmt: skip
    shot = browser.execute_cdp_cmd("Page.captureScreenshot",
                                   {"format": "png", "captureBeyondViewport": True})  # fmt: skip
    browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    import base64

    (shots / "project.png").write_bytes(base64.b64decode(shot["data"]))
