"""corvane-fab: the manufacturing set of Corvane boards, through KiCad's own plotter, all boards in
one KiCad process, each set checked with gerbv. Started by the corvane-fab launcher (beside it in
the repository, in ../../bin when installed), with the python that has KiCad's pcbnew module; see
HELP."""

import concurrent.futures
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import zipfile

VERSION = "1.0.0"

HELP = """\
Usage: corvane-fab [OPTIONS] BOARD|FOLDER...
Make the manufacturing set of each Corvane board (a .PCB file of "PCB FILE 4" or "PCB FILE 5")
with KiCad's own plotter, every board in one KiCad process, and check each file with gerbv.

Each board's set goes into a folder of its own, by default the board's file name and "-fab" in
the current folder (amp.PCB-fab/ for boards/amp.PCB), and holds, for a board named NAME:
  NAME.kicad_pcb       the KiCad board, written by corvane-import
  NAME-F_Cu.gbr, ...   a Gerber file of each copper, mask, paste and silkscreen layer that
                       holds anything, and of the board's edge (NAME-Edge_Cuts.gbr)
  NAME-PTH.drl, NAME-NPTH.drl  the Excellon drill files of the plated and unplated holes
  NAME-job.gbrjob      KiCad's Gerber job file: what each Gerber file is, the board's stack
  NAME-gerbers.zip     the Gerber and drill files and the job file, as a board house takes them
  NAME-bom.csv         the bill of materials
  NAME-positions.csv   the placement: each part's centre and rotation
  NAME-top.png         the top side as gerbv draws it from the files
Coordinates measure from the board's own origin. A FOLDER stands for every file in it whose
name ends in .PCB (in any case), not those of its subfolders. BOARD - reads a board from
standard input; its files are named stdin (stdin-fab/).

Options:
  -o, --output DIR     the set's folder (one BOARD only)
      --out-dir DIR    put the sets' folders in DIR (made when missing), not the current folder
      --keep-paths     name each set's folder after the board's whole path: boards/amp.PCB-fab/
                       for boards/amp.PCB (its path from the current folder, or from / for a
                       board outside it), so that boards of one name in different folders stay
                       apart; two sets in one folder are refused otherwise
      --accept-damage  make the set of a board whose import may have lost data (a file cut
                       short, ...); such a board is refused otherwise (status 6)
  -h, --help           show this help and exit
      --version        show the version and exit

Each set is made in a temporary folder beside its folder and put in place whole when every file
of it is made and read back by gerbv: the folder then holds that set alone. A folder that holds
any other file is refused, so a wrong folder loses nothing. The summary's lines that a set cannot
show (a possible loss of data, objects the KiCad board clamped or placed far from the rest, an
edge made up as a rectangle around everything, parts whose rotation is not inferred) go to
standard error, and one line per set made to standard output. A board with nothing to make (no
pad and no copper, such as an empty board) is refused: no set is made.

Environment:
  CORVANE_IMPORT       the corvane-import to run (default: the one beside corvane-fab)
  CORVANE_PYTHON       the python with KiCad's pcbnew module (default: /usr/bin/python3)

Exit status: the highest of the boards':
  0  every set was made
  1  a board is missing or not a Corvane board, has nothing to make, or KiCad or gerbv failed
     on it
  2  a wrong command line, or a set's folder refused (before anything is made)
  4  a file of a set could not be written
  5  KiCad, gerbv or corvane-import's modules are missing (it says what to install)
  6  the import may have lost data: no set is made (--accept-damage makes it)
  7  corvane-import failed inside
"""

WRONG_USAGE, MISSING_TOOL, DAMAGED = 2, 5, 6

# What a set's folder may hold: its files' endings, so that only such a folder is replaced.
SET_FILE_ENDINGS = (".kicad_pcb", ".gbr", ".drl", ".gbrjob", "-gerbers.zip", "-bom.csv",
                    "-positions.csv", "-top.png")

# The summary's lines that say what the set cannot show.
SUMMARY_LINES_SHOWN = ("Edge:", "Placement:", "KiCad board:")

# The top side's picture: 400 dots per inch, fewer for a board of more than 5 inches, so that it
# stays within 2000 pixels (a preview; drawing more would cost more than plotting the board).
PICTURE_DPI, PICTURE_MOST_PIXELS = 400, 2000

# The top side as a fabrication house sees it: holes, silkscreen, edge and copper, the first on
# top, each in its colour (of the files the board has).
TOP_PICTURE = [("PTH.drl", "#101010"), ("NPTH.drl", "#101010"), ("F_SilkS.gbr", "#f0f0f0"),
               ("Edge_Cuts.gbr", "#e8d050"), ("F_Cu.gbr", "#c87533")]


class Refused(Exception):
    """A command line or a folder that is refused before anything is made: status 2."""


def say(message):
    print("corvane-fab: " + message, file=sys.stderr, flush=True)


class Board:
    """One board on the command line, and what becomes of it."""

    def __init__(self, path, set_dir):
        self.path = path  # as given; "-" for standard input
        self.name = "stdin" if path == "-" else os.path.splitext(os.path.basename(path))[0]
        self.set_dir = set_dir
        self.work = None  # the temporary folder the set is made in
        self.status = 0
        self.files = []  # the plotted files


# --- the command line ---------------------------------------------------------------------------

def parse(argv):
    options = {"output": None, "out_dir": None, "keep_paths": False, "accept_damage": False}
    operands = []
    arguments = list(argv)
    while arguments:
        argument = arguments.pop(0)
        if argument == "--":
            operands += arguments
            break
        if argument in ("-h", "--help"):
            print(HELP, end="")
            sys.exit(0)
        if argument == "--version":
            print("corvane-fab " + VERSION)
            sys.exit(0)
        name, _, value = argument.partition("=")
        if name in ("-o", "--output", "--out-dir") and (value or name == argument):
            if name == argument:
                if not arguments:
                    raise Refused("%s needs a folder" % argument)
                value = arguments.pop(0)
            options["out_dir" if name == "--out-dir" else "output"] = value
        elif argument == "--keep-paths":
            options["keep_paths"] = True
        elif argument == "--accept-damage":
            options["accept_damage"] = True
        elif argument.startswith("-") and argument != "-":
            raise Refused("unknown option %s (see --help)" % argument)
        else:
            operands.append(argument)
    if not operands:
        raise Refused("no BOARD given (see --help)")
    return options, operands


def boards_of(operand):
    """A FOLDER's boards in name order, or the BOARD itself."""
    if operand != "-" and os.path.isdir(operand):
        names = sorted(name for name in os.listdir(operand) if name.lower().endswith(".pcb")
                       and os.path.isfile(os.path.join(operand, name)))
        if not names:
            raise Refused("%s holds no .PCB file" % operand)
        return [os.path.join(operand, name) for name in names]
    return [operand]


def set_dir_of(path, options):
    if options["output"] is not None:
        return os.path.abspath(options["output"])
    base = os.path.abspath(options["out_dir"] or ".")
    if path == "-":
        return os.path.join(base, "stdin-fab")
    if not options["keep_paths"]:
        return os.path.join(base, os.path.basename(path) + "-fab")
    whole = os.path.abspath(path)
    here = os.getcwd()
    relative = os.path.relpath(whole, here) if whole.startswith(here + os.sep) else whole[1:]
    return os.path.join(base, relative + "-fab")


def check_set_dir(set_dir):
    """Only a folder of files a set holds is replaced: a wrong folder never loses anything else."""
    if not os.path.exists(set_dir):
        return
    if not os.path.isdir(set_dir):
        raise Refused("%s is not a folder" % set_dir)
    for entry in sorted(os.listdir(set_dir)):
        path = os.path.join(set_dir, entry)
        if not (entry.endswith(SET_FILE_ENDINGS) and os.path.isfile(path)
                and not os.path.islink(path)):
            raise Refused("%s holds %s, which no manufacturing set holds; give an empty or new "
                          "folder" % (set_dir, entry))


def plan(options, operands):
    boards = [Board(path, None) for operand in operands for path in boards_of(operand)]
    if options["output"] is not None and len(boards) != 1:
        raise Refused("--output names the folder of one board's set, not of %d" % len(boards))
    if sum(board.path == "-" for board in boards) > 1:
        raise Refused("standard input (-) is given twice")
    seen = {}
    for board in boards:
        board.set_dir = set_dir_of(board.path, options)
        if board.set_dir in seen:
            raise Refused("%s and %s would both make %s (--keep-paths keeps them apart)"
                          % (seen[board.set_dir], board.path, board.set_dir))
        seen[board.set_dir] = board.path
        check_set_dir(board.set_dir)
    return boards


# --- the tools ----------------------------------------------------------------------------------

def find_tools():
    """corvane-import and gerbv, or a message of what to install. KiCad's pcbnew module is
    imported later, while the imports run."""
    program = os.environ.get("CORVANE_IMPORT", "")
    if not (os.path.isfile(program) and os.access(program, os.X_OK)):
        raise MissingTool("no corvane-import at %s (CORVANE_IMPORT names one)" % program)
    if shutil.which("gerbv") is None:
        raise MissingTool("gerbv is missing, which reads every file back and draws the top side: "
                          "install it (sudo apt install gerbv)")
    return program


def import_kicad():
    try:
        import pcbnew  # noqa: F401  (KiCad's start: about 0.7 s, once for every board)
    except ImportError:
        raise MissingTool("KiCad's pcbnew module is missing from %s: install KiCad 6 or later "
                          "(sudo apt install --no-install-recommends kicad)" % sys.executable)


class MissingTool(Exception):
    """A program or module the set needs is not installed: status 5."""


# --- one board ----------------------------------------------------------------------------------

def run_import(program, board, accept_damage, stdin):
    """corvane-import writes the KiCad board, the bill of materials and the placement."""
    stem = os.path.join(board.work, board.name)
    command = [program] + ([] if accept_damage else ["--strict"]) + [
        "--kicad", stem + ".kicad_pcb", "--bom", stem + "-bom.csv",
        "--positions", stem + "-positions.csv", "--", board.path]
    return subprocess.run(command, stdin=stdin if board.path == "-" else subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          errors="replace")


def report_import(board, result, several):
    """The summary's lines the set cannot show (after the board's name when there are several
    boards), and the import's own outcome."""
    board.status = result.returncode
    lines = result.stdout.splitlines()
    shown = [line for line in lines
             if line.startswith(SUMMARY_LINES_SHOWN) or (line.startswith("Import:")
                                                         and "lost" in line)]
    for line in shown:
        print(board.path + ": " + line if several else line, file=sys.stderr)
    sys.stderr.write(result.stderr)
    if board.status == DAMAGED:
        say("%s: the import may have lost data; no set is made (--accept-damage makes it)"
            % board.path)
    elif board.status != 0:
        say("%s: corvane-import failed (%d); no set is made" % (board.path, board.status))


def gerbv_reads(paths):
    """gerbv reads the files of one kind (Gerber or drill) and writes them out again as one; any
    complaint of its own, which names the file, fails the file. One gerbv for a board's files
    of a kind: its start costs more than reading them."""
    kind = "drill" if paths[0].endswith(".drl") else "rs274x"
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, "copy")
        result = subprocess.run(["gerbv", "-x", kind, "-o", copy] + paths,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, text=True, errors="replace")
        complaints = [line for line in result.stdout.splitlines()
                      if any(word in line.lower()
                             for word in ("critical", "warning", "error", "could not"))]
        if result.returncode == 0 and os.path.isfile(copy) and os.path.getsize(copy) > 0 \
                and not complaints:
            return []
        named = [path for path in paths if any(path in line for line in complaints)]
        return ["gerbv cannot read %s: %s" % (os.path.basename(path), " ".join(
            line.strip() for line in complaints if path in line)) for path in named] or [
            "gerbv cannot read %s (status %d): %s" % (
                ", ".join(os.path.basename(path) for path in paths), result.returncode,
                " ".join(result.stdout.split()[:40]))]


def picture_dpi(edge_file):
    """The picture's resolution for the board whose edge the Gerber file draws."""
    with open(edge_file, encoding="ascii", errors="replace") as f:
        text = f.read()
    form = re.search(r"%FSLAX\d(\d)Y\d\d\*%", text)
    points = [(int(x), int(y)) for x, y in re.findall(r"^X(-?\d+)Y(-?\d+)D0[12]\*", text, re.M)]
    xs, ys = [x for x, _ in points], [y for _, y in points]
    if not form or not points:
        return PICTURE_DPI
    span = max(max(xs) - min(xs), max(ys) - min(ys)) / 10 ** int(form.group(1))
    inches = span / 25.4 if "%MOMM*%" in text else span
    return max(50, min(PICTURE_DPI, int(PICTURE_MOST_PIXELS / inches))) if inches > 0 else PICTURE_DPI


def draw_top(board):
    picture = []
    for suffix, colour in TOP_PICTURE:
        path = os.path.join(board.work, "%s-%s" % (board.name, suffix))
        if os.path.isfile(path):
            picture += ["-f", colour, path]
    png = os.path.join(board.work, board.name + "-top.png")
    edge = os.path.join(board.work, board.name + "-Edge_Cuts.gbr")
    dpi = picture_dpi(edge) if os.path.isfile(edge) else PICTURE_DPI
    result = subprocess.run(["gerbv", "-x", "png", "-o", png, "-D", str(dpi), "-a", "-B", "3", "-b",
                             "#0b3d1a"] + picture, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if result.returncode != 0 or not os.path.isfile(png):
        return ["gerbv cannot draw the top side"]
    return []


def zip_for_board_house(board):
    """The Gerber and drill files and the job file, flat, in the zip a board house takes."""
    path = os.path.join(board.work, board.name + "-gerbers.zip")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name in board.files:
            archive.write(name, os.path.basename(name))


def put_in_place(board):
    """The set in place whole: an earlier folder is moved aside, then removed."""
    os.chmod(board.work, 0o755)
    if os.path.exists(board.set_dir):
        old = tempfile.mkdtemp(prefix="." + os.path.basename(board.set_dir) + ".old.",
                               dir=os.path.dirname(board.set_dir))
        os.rename(board.set_dir, os.path.join(old, "set"))
        os.rename(board.work, board.set_dir)
        shutil.rmtree(old)
    else:
        os.rename(board.work, board.set_dir)
    board.work = None


# --- all boards ---------------------------------------------------------------------------------

def make_sets(boards, program, accept_damage):
    jobs = max(1, min(4, os.cpu_count() or 1))
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        # The imports run while KiCad starts.
        imports = [pool.submit(run_import, program, board, accept_damage, sys.stdin)
                   for board in boards]
        import_kicad()
        import kicad_plot

        checks = {}
        for board, imported in zip(boards, imports):
            report_import(board, imported.result(), len(boards) > 1)
            if board.status != 0:
                continue
            try:
                board.files = kicad_plot.plot(
                    os.path.join(board.work, board.name + ".kicad_pcb"), board.work)
            except kicad_plot.NothingToMake as error:
                say("%s: %s; no set is made" % (board.path, error))
                board.status = 1
                continue
            except Exception as error:  # one board's failure leaves the others' sets
                say("%s: KiCad could not plot %s.kicad_pcb: %s" % (board.path, board.name, error))
                board.status = 1
                continue
            # gerbv reads this board's files while KiCad plots the next one.
            gerbers = [name for name in board.files if name.endswith(".gbr")]
            drills = [name for name in board.files if name.endswith(".drl")]
            checks[board.path] = [pool.submit(gerbv_reads, files)
                                  for files in (gerbers, drills) if files]
            checks[board.path].append(pool.submit(draw_top, board))
        for board in boards:
            if board.status != 0:
                continue
            failures = [failure for check in checks[board.path] for failure in check.result()]
            for failure in failures:
                say("%s: %s" % (board.path, failure))
            if failures:
                say("%s: gerbv could not read %d files; no set is made" % (board.path,
                                                                         len(failures)))
                board.status = 1
                continue
            zip_for_board_house(board)
            put_in_place(board)
            print("Wrote the manufacturing set of %s to %s (%d Gerber and drill files read back "
                  "by gerbv)" % (board.name, board.set_dir, len(board.files) - 1), flush=True)


def main(argv):
    # A termination cleans up as an interruption does: the temporary folders go.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, lambda signum, frame: sys.exit(128 + signum))
    try:
        options, operands = parse(argv)
        boards = plan(options, operands)
    except Refused as refusal:
        say(str(refusal))
        return WRONG_USAGE
    try:
        program = find_tools()
        for board in boards:
            parent = os.path.dirname(board.set_dir)
            os.makedirs(parent, exist_ok=True)
            board.work = tempfile.mkdtemp(prefix="." + os.path.basename(board.set_dir) + ".",
                                          dir=parent)
        make_sets(boards, program, options["accept_damage"])
    except MissingTool as missing:
        say(str(missing))
        return MISSING_TOOL
    except KeyboardInterrupt:
        return 128 + signal.SIGINT
    except OSError as error:
        say(str(error))
        return 4
    finally:
        for board in boards:
            if board.work is not None:
                shutil.rmtree(board.work, ignore_errors=True)
    return max(board.status for board in boards)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
