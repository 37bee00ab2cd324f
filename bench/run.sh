#!/usr/bin/env bash
# Benchmark of the glimora client: time to the first window and the memory
# held then, against a bare Qt Widgets window (and a comparable call client
# where one is installed); the time from pressing sign-in to the home window
# and to its meeting list's rows; and the home window's long lists (a user
# directory of 10,000 searched key by key, a meeting list of 500 built and
# refreshed). See bench/README.md.
#
#   bench/run.sh [--runs N] [--build-dir DIR] [--no-build] [--parts startup,signin,lists,call]
set -euo pipefail

if [[ -z "${DISPLAY:-}" ]]; then
  exec "$(dirname "${BASH_SOURCE[0]}")/../scripts/with-xvfb" "$BASH" "$0" "$@"
fi

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${GLIMORA_BENCH_BUILD_DIR:-$repo/build-bench}"
runs=5
do_build=1
parts="startup,signin,lists"
while (($#)); do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --build-dir) build="$2"; shift 2 ;;
    --no-build) do_build=0; shift ;;
    --parts) parts="$2"; shift 2 ;;
    -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "--runs wants a positive number" >&2; exit 2; }
[[ "$parts" =~ ^(startup|signin|lists|call)(,(startup|signin|lists|call))*$ ]] ||
  { echo "--parts wants a comma-separated choice of startup, signin, lists, call" >&2; exit 2; }
part() { [[ ",$parts," == *",$1,"* ]]; }
build=$(mkdir -p "$build" && cd "$build" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/glimora-bench-XXXXXX")
# Every program runs in the background and is waited for, so an interrupt
# stops the script at once (bash would otherwise go on when a program that
# handles SIGINT itself ends normally) and the cleanup ends what still runs.
child_pid=""
devserver_pid=""
cleanup() {
  local pid
  for pid in $child_pid $devserver_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# run_child <stdout file> <stderr file> <command...>
run_child() {
  local out="$1" err="$2"; shift 2
  "$@" >"$out" 2>>"$err" &
  child_pid=$!
  wait "$child_pid" || true
  child_pid=""
}

# --- build -----------------------------------------------------------------
if ((do_build)); then
  export CCACHE_BASEDIR="$repo"
  if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DGLIMORA_WERROR=ON >"$work/configure.log" 2>&1 ||
      { cat "$work/configure.log" >&2; exit 1; }
  fi
  echo "building bench_tools in $build ..."
  cmake --build "$build" --target bench_tools >"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
fi
mapwatch="$build/bench/bench-mapwatch"
bare="$build/bench/bench-bare-window"
glimora="$build/bin/glimora"
signin="$build/bin/glimora-bench-signin"
lists="$build/bin/glimora-bench-lists"
devserver="$build/bin/glimora-devserver"
needed=()
part startup && needed+=("$mapwatch" "$bare" "$glimora")
part signin && needed+=("$signin" "$devserver")
part lists && needed+=("$lists")
call_driver="$build/bin/glimora-bench-call"
part call && needed+=("$call_driver" "$signin" "$glimora" "$devserver")
for f in "${needed[@]}"; do
  [[ -x "$f" ]] || { echo "missing $f (build the bench_tools target)" >&2; exit 1; }
done

# A comparable client: a Debian-packaged, Qt-based SIP/video call client.
comparable=""
for name in linphone jami jami-qt twinkle; do
  path=$(command -v "$name" 2>/dev/null) || continue
  real=$(readlink -f "$path")
  dpkg -S "$real" >/dev/null 2>&1 || continue
  ldd "$real" 2>/dev/null | grep -q 'libQt[56]' || continue
  comparable="$real"
  break
done

# --- helpers ---------------------------------------------------------------
run_no=0
# A fresh user: its own "appdata", HOME, XDG directories and runtime directory.
fresh_dir() {
  run_no=$((run_no + 1))
  local dir="$work/run-$run_no"
  mkdir -p "$dir"/{appdata,home,xdg-data,xdg-config,xdg-cache,runtime}
  chmod 700 "$dir/runtime"
  echo "$dir"
}
# The env command that runs a program as that fresh user, in its home, in
# the array fresh_env; the simulated engine at its own pace unless a time
# scale is given.
fresh_env_for() {
  local dir="$1" scale="${2:-}"
  # The caller's Qt scaling, style or theme choices stay out of the figures.
  fresh_env=(env -C "$dir/home" -u RJSIM_TIME_SCALE -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS
    -u QT_AUTO_SCREEN_SCALE_FACTOR -u QT_ENABLE_HIGHDPI_SCALING -u QT_STYLE_OVERRIDE -u QT_QPA_PLATFORMTHEME
    -u QT_XCB_GL_INTEGRATION appdata="$dir/appdata" HOME="$dir/home" XDG_DATA_HOME="$dir/xdg-data"
    XDG_CONFIG_HOME="$dir/xdg-config" XDG_CACHE_HOME="$dir/xdg-cache" XDG_RUNTIME_DIR="$dir/runtime"
    QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8)
  [[ -z "$scale" ]] || fresh_env+=("RJSIM_TIME_SCALE=$scale")
}
# "a=1 b=2" -> value of key
field() { local k="$1" kv; shift; for kv in $*; do [[ "$kv" == "$k="* ]] && { echo "${kv#*=}"; return; }; done; echo ""; }
mb() { awk -v kb="$1" 'BEGIN {printf "%.1f", kb / 1024}'; }
# median, min and max of numbers on stdin
stats() { sort -g | awk '{v[NR]=$1} END {if (!NR) {print "- - -"; exit} m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2; printf "%.1f %.1f %.1f\n", m, v[1], v[NR]}'; }

declare -A times cpu wait rss anon file libs handler webengine exits failures
# One start of a program up to its first window; records ms, RSS, WebEngine.
measure_window() {
  local key="$1"; shift
  local dir line handler_wait=0
  [[ "$1" == "$glimora" ]] && handler_wait=5000
  dir=$(fresh_dir)
  # glimora sets up its SIGTERM handler just after its first window: the
  # watcher waits for it (at most 5 s) so the end is the orderly one.
  fresh_env_for "$dir"
  run_child "$dir/mapwatch.out" "$work/$key.stderr" "${fresh_env[@]}" "$mapwatch" --timeout-ms 30000 \
    --term-timeout-ms 15000 --handler-wait-ms "$handler_wait" -- "$@"
  line=$(cat "$dir/mapwatch.out")
  if [[ -z "$(field map_ms $line)" ]]; then
    failures[$key]+="${line:-no output}; "
    return
  fi
  times[$key]+="$(field map_ms $line) "
  cpu[$key]+="$(field cpu_ms $line) "
  wait[$key]+="$(field main_wait_ms $line) "
  rss[$key]+="$(mb "$(field rss_kb $line)") "
  anon[$key]+="$(mb "$(field rss_anon_kb $line)") "
  file[$key]+="$(mb "$(field rss_file_kb $line)") "
  libs[$key]+="$(field libs $line) "
  handler[$key]+="$(field handler_after_ms $line) "
  webengine[$key]+="$(($(field webengine_libs $line) + $(field webengine_procs $line))) "
  local how
  how=$(field exit $line)
  [[ "$line" != *leftover=1* ]] || how+="+leftover"
  exits[$key]+="$how "
}

# One sign-in in a fresh process against a fresh demo server.
#   measure_signin <key> <time scale or ""> [driver options...]
declare -A signin_lines
measure_signin() {
  local key="$1" scale="$2"; shift 2
  local dir port line
  dir=$(fresh_dir)
  "$devserver" --port 0 --quiet >"$dir/devserver.out" 2>>"$work/devserver.stderr" &
  devserver_pid=$!
  for _ in $(seq 200); do
    grep -q '^devserver ports' "$dir/devserver.out" 2>/dev/null && break
    sleep 0.05
  done
  port=$(awk '/^devserver ports/ {print $3}' "$dir/devserver.out")
  if [[ -n "$port" ]]; then
    fresh_env_for "$dir" "$scale"
    run_child "$dir/driver.out" "$work/$key.stderr" "${fresh_env[@]}" "$signin" --port "$port" --timeout-ms 30000 "$@"
    line=$(grep '^bench:' "$dir/driver.out" | tail -n 1) || true
    [[ -n "$line" ]] || line="bench: error=no-result"
  else
    line="bench: error=devserver-did-not-start"
  fi
  kill "$devserver_pid" 2>/dev/null || true
  wait "$devserver_pid" 2>/dev/null || true
  devserver_pid=""
  signin_lines[$key]+="${line#bench: }"$'\n'
}
# Values of one field over a mode's runs.
signin_field() { printf '%s' "${signin_lines[$1]}" | while read -r l; do [[ -n "$l" ]] && field "$2" $l; done | grep -v '^$' || true; }
signin_errors() { printf '%s' "${signin_lines[$1]}" | grep -o 'error=[^ ]*' | sort | uniq -c | tr -s ' ' | tr '\n' ';' || true; }

# One run of the lists program in a fresh directory; its "bench:" lines,
# without the prefix, in list_lines[<key>].
declare -A list_lines
measure_lists() {
  local key="$1"; shift
  local dir
  dir=$(fresh_dir)
  fresh_env_for "$dir"
  run_child "$dir/lists.out" "$work/$key.stderr" "${fresh_env[@]}" "$lists" "$@"
  list_lines[$key]=$(sed -n 's/^bench: //p' "$dir/lists.out")
  [[ -n "${list_lines[$key]}" ]] || list_lines[$key]="error=no-result"
}
# Values of one field over the lines of a lists run that contain a word.
list_field() { printf '%s\n' "${list_lines[$1]}" | grep -e "$2" | while read -r l; do field "$3" $l; done | grep -v '^$' || true; }

# --- runs ------------------------------------------------------------------
echo "glimora benchmark ($parts): $runs runs each, $(nproc) cores, display $DISPLAY"
if part startup; then
  echo "warming up (one untimed start of each) ..."
  measure_window warmup "$bare"
  measure_window warmup "$glimora"
  [[ -n "$comparable" ]] && measure_window warmup "$comparable"
  unset 'times[warmup]' 'rss[warmup]'

  for ((i = 1; i <= runs; i++)); do
    echo "window run $i/$runs ..."
    measure_window bare "$bare"
    measure_window glimora "$glimora"
    [[ -n "$comparable" ]] && measure_window comparable "$comparable"
  done
fi

if part signin; then
  echo "sign-in runs ..."
  measure_signin warmup ""
  for ((i = 1; i <= runs; i++)); do
    measure_signin signin "" --until-meetings
    measure_signin signin0 0 --until-meetings
    measure_signin wrong "" --wrong-password
    measure_signin wrong0 0 --wrong-password
  done
fi

if part lists; then
  echo "list runs (a directory of 10,000 users, a meeting list of 500) ..."
  measure_lists directory --directory
  measure_lists meetings --meetings
fi

# --- report ----------------------------------------------------------------
row_stats() { tr ' ' '\n' <<<"${1:-}" | grep -v '^$' | stats; }
if part startup; then
  echo
  echo "== time to first window and memory then (median of $runs; min-max) =="
  printf '%-26s %22s %20s %18s   %s\n' "program" "ms to window" "CPU ms by then" "RSS MB" "against the bare window"
  declare -A med_t med_r min_t min_r med_c
  for key in bare glimora comparable; do
    case "$key" in
      bare) label="bare Qt Widgets window" ;;
      glimora) label="glimora" ;;
      comparable) [[ -n "$comparable" ]] || continue; label="$(basename "$comparable") ($(dpkg -S "$comparable" 2>/dev/null | cut -d: -f1))" ;;
    esac
    read -r tm tmin tmax < <(row_stats "${times[$key]:-}")
    read -r cm cmin cmax < <(row_stats "${cpu[$key]:-}")
    read -r rm rmin rmax < <(row_stats "${rss[$key]:-}")
    med_t[$key]=$tm; med_r[$key]=$rm; min_t[$key]=$tmin; min_r[$key]=$rmin; med_c[$key]=$cm
    against=""
    if [[ "$key" != bare && "$tm" != - && "${med_t[bare]}" != - ]]; then
      against=$(awk -v t="$tm" -v bt="${med_t[bare]}" -v r="$rm" -v br="${med_r[bare]}" -v c="$cm" -v bc="${med_c[bare]}" \
        'BEGIN {printf "%.2fx time, %.2fx CPU, %+.1f MB", t / bt, c / bc, r - br}')
    fi
    printf '%-26s %8s (%s-%s) %7s (%s-%s) %6s (%s-%s)   %s\n' "$label" "$tm" "$tmin" "$tmax" "$cm" "$cmin" "$cmax" \
      "$rm" "$rmin" "$rmax" "$against"
    [[ -n "${failures[$key]:-}" ]] && echo "    failed runs: ${failures[$key]}"
  done
  [[ -n "$comparable" ]] || echo "comparable client: not installed"
  echo "per run, ms: bare ${times[bare]:-}| glimora ${times[glimora]:-}"
  echo "per run, main thread kept waiting for a CPU, ms: bare ${wait[bare]:-}| glimora ${wait[glimora]:-}"
  echo "per run, MB: bare ${rss[bare]:-}| glimora ${rss[glimora]:-}"
  for key in bare glimora; do
    read -r am _ < <(row_stats "${anon[$key]:-}")
    read -r fm _ < <(row_stats "${file[$key]:-}")
    read -r lm _ < <(row_stats "${libs[$key]:-}")
    printf 'RSS of %-8s anonymous %s MB, file-backed %s MB; %s shared objects mapped\n' "$key:" "$am" "$fm" "${lm%.0}"
  done
  echo "glimora exit on SIGTERM: ${exits[glimora]:-}"
  read -r hm hlo hhi < <(row_stats "${handler[glimora]:-}" | sed 's/^-1.0 .*/none/')
  echo "glimora's SIGTERM handler set up after its first window mapped: $hm ms ($hlo-$hhi; 0: already there)"

  we=$(tr ' ' '\n' <<<"${webengine[glimora]:-}" | awk '{s += $1} END {print s + 0}')
  if ((we == 0)); then
    echo "QtWebEngine at glimora's first window: none (no libQt5WebEngine* mapped, no QtWebEngineProcess) in any run"
  else
    echo "QtWebEngine at glimora's first window: LOADED (libraries + helper processes per run: ${webengine[glimora]})"
  fi

  if [[ "${med_t[glimora]}" != - && "${med_t[bare]}" != - ]]; then
    awk -v t="${med_t[glimora]}" -v bt="${med_t[bare]}" -v r="${med_r[glimora]}" -v br="${med_r[bare]}" \
        -v tmin="${min_t[glimora]}" -v btmin="${min_t[bare]}" 'BEGIN {
      ratio = t / bt; diff = r - br
      printf "aim: time within 1.2x of the bare window: %.2fx %s; memory within 10 MB: %+.1f MB %s\n",
        ratio, (ratio <= 1.2 ? "MET" : "MISSED"), diff, (diff <= 10 ? "MET" : "MISSED")
      printf "     (fastest runs only, less touched by other load: %.2fx)\n", tmin / btmin
    }'
  fi
fi

if part signin; then
  echo
  echo "== sign-in, from the click (median of $runs; min-max), each run a fresh process and demo server =="
  for key in signin signin0 wrong wrong0; do
    case "$key" in
      signin)  label="sign-in, engine at its own pace"; fields="shown exposed rows" ;;
      signin0) label="sign-in, RJSIM_TIME_SCALE=0"; fields="shown exposed rows" ;;
      wrong)   label="wrong password, engine at its pace"; fields="refused box" ;;
      wrong0)  label="wrong password, RJSIM_TIME_SCALE=0"; fields="refused box" ;;
    esac
    out=""
    for f in $fields; do
      read -r m lo hi < <(signin_field "$key" "$f" | stats)
      out+=$(printf '%s %s ms (%s-%s)  ' "$f" "$m" "$lo" "$hi")
    done
    printf '%-34s %s\n' "$label" "$out"
    errs=$(signin_errors "$key")
    [[ -n "$errs" ]] && echo "    failed runs: $errs"
  done
  read -r m lo hi < <(signin_field signin ready | stats)
  echo "login page usable, from the driver's main: $m ms ($lo-$hi)"
  echo "(shown: the home window's Show event; exposed: its first exposure; rows: the first row of the meetings"
  echo " tab's list painted; refused: the login status turns LoginFailed; box: the refusal box is asked for. At"
  echo " its own pace the simulated engine takes 400 ms to answer a login: RJSIM_TIME_SCALE=0 leaves the client's"
  echo " own share.)"
  read -r s1 _ < <(signin_field signin exposed | stats)
  read -r s0 _ < <(signin_field signin0 exposed | stats)
  echo "sign-in median, click to home window: $s1 ms ($s0 ms with RJSIM_TIME_SCALE=0)"
  read -r r1 _ < <(signin_field signin rows | stats)
  read -r r0 _ < <(signin_field signin0 rows | stats)
  echo "sign-in median, click to the meeting list's rows: $r1 ms ($r0 ms with RJSIM_TIME_SCALE=0)"
  if [[ "$r1" != - ]]; then
    awk -v r="$r1" 'BEGIN {printf "aim: sign-in to a populated meeting list under 1 s: %s\n", (r < 1000 ? "MET" : "MISSED")}'
  fi
fi

lists_report() {
  local d=directory m=meetings errs
  echo
  echo "== the home window's lists, each a fresh process with the tab shown in its own window (ms) =="
  for key in $d $m; do
    errs=$(printf '%s\n' "${list_lines[$key]}" | grep -o 'error=[^ ]*' || true)
    [[ -z "$errs" ]] || echo "    $key run failed: $errs"
  done
  read -r bm blo bhi < <(list_field $d kind= build | stats)
  read -r am _ < <(list_field $d kind= answer | stats)
  read -r pm _ < <(list_field $d kind= apply | stats)
  read -r qm _ < <(list_field $d kind= paint | stats)
  echo "contacts directory, 10,000 users: answer to rows on screen $bm ($blo-$bhi) over $(list_field $d kind= build | wc -l) loads"
  echo "    of which reading the answer $am, the tab taking it $pm, laying out and painting $qm (medians)"
  read -r km klo khi < <(list_field $d query= ms | stats)
  read -r fm _ < <(list_field $d query= filter | stats)
  read -r sm slo shi < <(list_field $d "round=[2-9]" ms | stats)
  read -r wm wlo whi < <(list_field $d "round=1 " ms | stats)
  echo "  per keystroke (\"user 1234\" typed and erased, $(list_field $d query= ms | wc -l) keys): median $km, worst $khi;" \
    "the search alone $fm"
  echo "    while the users' pictures arrive: median $wm, worst $whi; once they are in: median $sm, worst $shi" \
    "($(list_field $d "keys " pictures) pictures in by the end)"
  read -r f1 _ < <(list_field $m kind=first build | stats)
  read -r a1 _ < <(list_field $m kind=first apply | stats)
  read -r um ulo uhi < <(list_field $m kind=unchanged build | stats)
  read -r cm clo chi < <(list_field $m kind=changed build | stats)
  echo "meeting list, 500 meetings: first build $f1 (the tab taking the answer $a1)"
  echo "  refresh with the same meetings: median $um, worst $uhi; refresh with one gone and one new: median $cm," \
    "worst $chi"
  echo "(a load is timed from the start of the event that reads the answer to the end of the window update that"
  echo " paints the rows; a keystroke from the key press to the window update that shows its result)"
  awk -v km="$km" -v kw="$khi" -v f1="$f1" -v um="$um" -v cm="$cm" -v chi="$chi" 'BEGIN {
    printf "aim: under 16 ms: keystroke median %s %s, worst %s %s; meeting list first build %s %s,",
      km, (km != "-" && km < 16 ? "MET" : "MISSED"), kw, (kw != "-" && kw < 16 ? "MET" : "MISSED"),
      f1, (f1 != "-" && f1 < 16 ? "MET" : "MISSED")
    printf " refresh (same) %s %s, refresh (changed) %s %s\n", um, (um != "-" && um < 16 ? "MET" : "MISSED"),
      cm, (cm != "-" && cm < 16 ? "MET" : "MISSED")
  }'
}
part lists && lists_report

# --- the call window --------------------------------------------------------
# Alice signed in and in meeting 1001, the simulated engine at its own pace.
# The layout engine and the screen feeder are timed by glimora-bench-call
# (the client's start-up in its process); the idle CPU is that of the real
# executable, which signs in by itself with the account a sign-in of
# glimora-bench-signin stored and joins through its start URL.
declare -A call_lines
call_port=""
# stats with two decimals
stats2() { sort -g | awk '{v[NR]=$1} END {if (!NR) {print "- - -"; exit} m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2; printf "%.2f %.2f %.2f\n", m, v[1], v[NR]}'; }
# A fresh demo server for one run; its request log in <dir>/devserver.log.
call_devserver_start() {
  local dir="$1"
  "$devserver" --port 0 >"$dir/devserver.out" 2>"$dir/devserver.log" &
  devserver_pid=$!
  call_port=""
  for _ in $(seq 200); do
    grep -q '^devserver ports' "$dir/devserver.out" 2>/dev/null && break
    sleep 0.05
  done
  call_port=$(awk '/^devserver ports/ {print $3}' "$dir/devserver.out")
}
call_devserver_stop() {
  [[ -n "$devserver_pid" ]] || return 0
  kill "$devserver_pid" 2>/dev/null || true
  wait "$devserver_pid" 2>/dev/null || true
  devserver_pid=""
}
# One run of glimora-bench-call; its "bench:" lines, without the prefix, are
# added to call_lines[<key>].
measure_call_driver() {
  local key="$1"; shift
  local dir
  dir=$(fresh_dir)
  call_devserver_start "$dir"
  if [[ -n "$call_port" ]]; then
    fresh_env_for "$dir"
    run_child "$dir/call.out" "$work/call-$key.stderr" "${fresh_env[@]}" "$call_driver" --port "$call_port" "$@"
    call_lines[$key]+=$(sed -n 's/^bench: //p' "$dir/call.out")$'\n'
    grep -q '^bench: ' "$dir/call.out" || call_lines[$key]+="error=no-result"$'\n'
  else
    call_lines[$key]+="error=devserver-did-not-start"$'\n'
  fi
  call_devserver_stop
}
call_field() { printf '%s' "${call_lines[$1]:-}" | grep -e "$2" | while read -r l; do field "$3" $l; done | grep -v '^$' || true; }
call_errors() { printf '%s' "${call_lines[$1]:-}" | grep -o 'error=[^ ]*' | sort | uniq -c | tr -s ' ' | tr '\n' ';' || true; }

# CPU of a process: utime + stime in ms, then per thread "comm run_ns
# voluntary_switches" lines, the main thread's comm as "GUI".
clk_tck=$(getconf CLK_TCK)
proc_cpu_ms() { awk -v t="$clk_tck" '{sub(/^.*\) /, ""); split($0, f, " "); printf "%.0f\n", (f[12] + f[13]) * 1000 / t}' "/proc/$1/stat"; }
proc_threads() {
  local pid="$1" task name
  for task in /proc/"$pid"/task/*; do
    name=$(cat "$task/comm" 2>/dev/null) || continue
    [[ "${task##*/}" == "$pid" ]] && name="GUI"
    printf '%s %s %s\n' "${name// /_}" "$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null)" \
      "$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2>/dev/null)"
  done
}
# One idle run of the real executable: 30 s in the call once the sign-in's
# picture downloads are over.
declare -A idle_pct idle_groups
idle_failures=""
idle_run_total=""
measure_idle_real() {
  local dir log conf cpu0 cpu1 t0 t1 n last
  dir=$(fresh_dir)
  call_devserver_start "$dir"
  if [[ -z "$call_port" ]]; then idle_failures+="devserver; "; return; fi
  fresh_env_for "$dir"
  run_child "$dir/seed.out" "$work/idle-seed.stderr" "${fresh_env[@]}" "$signin" --port "$call_port" --timeout-ms 30000
  conf="$dir/appdata/glimora-bench-signin/Glimora/Config/config.ini"
  if ! grep -q '^User=alice' "$conf" 2>/dev/null; then idle_failures+="seed-sign-in; "; call_devserver_stop; return; fi
  mkdir -p "$dir/appdata/glimora/Glimora/Config"
  cp "$conf" "$dir/appdata/glimora/Glimora/Config/config.ini"
  log="$dir/appdata/glimora/app.log"
  "${fresh_env[@]}" "$glimora" --url=glimora://joinmeeting/1001/0/NO >"$dir/glimora.out" 2>>"$work/idle-glimora.stderr" &
  child_pid=$!
  for _ in $(seq 600); do
    grep -q 'CLayoutBackgroundDlg::slotOnCallStatusChanged callStatus: rj_app::enums::ConfConnected' "$log" 2>/dev/null &&
      break
    sleep 0.1
  done
  if ! grep -q 'CLayoutBackgroundDlg::slotOnCallStatusChanged callStatus: rj_app::enums::ConfConnected' "$log"; then
    idle_failures+="not-connected; "
  else
    # At least 5 s after the connect, and 3 s without a picture download.
    sleep 5
    n=-1; last=0
    for _ in $(seq 120); do
      local now
      now=$(grep -c '/userFiles/avatar/' "$dir/devserver.log" || true)
      if [[ "$now" == "$n" ]]; then last=$((last + 1)); else last=0; n=$now; fi
      ((last >= 3)) && break
      sleep 1
    done
    proc_threads "$child_pid" >"$dir/threads0"
    cpu0=$(proc_cpu_ms "$child_pid"); t0=$(date +%s%N)
    sleep 30
    proc_threads "$child_pid" >"$dir/threads1"
    cpu1=$(proc_cpu_ms "$child_pid"); t1=$(date +%s%N)
    if grep -q 'callStatus: rj_app::enums::ConfEnded' "$log" || [[ -z "$cpu1" ]]; then
      idle_failures+="call-ended; "
    else
      idle_pct[process]+="$(awk -v c="$((cpu1 - cpu0))" -v w="$(((t1 - t0) / 1000000))" 'BEGIN {printf "%.2f", 100 * c / w}') "
      # Per thread kind: run time as % of one core and wake-ups per second.
      local total=0
      while read -r name pct wake; do
        idle_pct[$name]+="$pct "
        idle_groups[$name]+="$wake "
        total=$(awk -v a="$total" -v b="$pct" 'BEGIN {print a + b}')
      done < <(awk -v w="$(((t1 - t0) / 1000000))" '
        FNR == NR {run0[FNR] = $2; sw0[FNR] = $3; key0[FNR] = $1; next}
        {r[$1] += $2; s[$1] += $3; seen[$1] = 1}
        END {
          for (i in key0) {r[key0[i]] -= run0[i]; s[key0[i]] -= sw0[i]}
          for (k in seen) printf "%s %.3f %.1f\n", k, r[k] / 1e4 / w, s[k] * 1000 / w
        }' "$dir/threads0" "$dir/threads1")
      idle_run_total+="$total "
    fi
  fi
  kill -TERM "$child_pid" 2>/dev/null || true
  for _ in $(seq 150); do kill -0 "$child_pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$child_pid" 2>/dev/null || true
  wait "$child_pid" 2>/dev/null || true
  child_pid=""
  call_devserver_stop
}

if part call; then
  echo "call runs (layout engine, screen feeder, $runs idle runs of 30 s) ..."
  measure_call_driver layout --layout --reps 300 --timeout-ms 120000
  measure_call_driver feeder --feeder 100
  measure_call_driver feeder --feeder 100 --target window
  for ((i = 1; i <= runs; i++)); do
    echo "idle run $i/$runs ..."
    measure_idle_real
  done
  measure_call_driver events --idle 30 --count-events --timeout-ms 120000

  echo
  echo "== the call window: alice in meeting 1001, the simulated engine at its own pace =="
  errs=$(call_errors layout)
  [[ -z "$errs" ]] || echo "    layout run failed: $errs"
  read -r ls_w ls_h < <(call_field layout "^layout tiled" size | tr x ' ')
  echo "layout engine, in the call window of $(call_field layout '^call ' window) (ms over $(call_field layout 'op=redraw mode=0' n) repetitions;"
  echo " \"call\": the call itself; \"settled\": until Qt and the X server are done with it, repaints included):"
  for spec in "redraw mode=0|normal mode, redraw" "resize mode=0|normal mode, resize" \
    "redraw mode=1|tiled mode 1 (content, local, remote), redraw" "resize mode=1|tiled mode 1, resize" \
    "switch-1-2 mode=1|switch between modes 1 and 2"; do
    sel="op=${spec%%|*}"
    printf '  %-48s call median %s worst %s; settled median %s worst %s\n' "${spec#*|}" \
      "$(call_field layout "$sel" median)" "$(call_field layout "$sel" worst)" \
      "$(call_field layout "$sel" settled_median)" "$(call_field layout "$sel" settled_worst)"
  done
  echo "  (tiled layout ${ls_w:-?}x${ls_h:-?}; the geometry alone: $(call_field layout '^geometry' ns_per_call_median) ns a call)"
  awk -v r0="$(call_field layout 'op=redraw mode=0' median)" -v r1="$(call_field layout 'op=redraw mode=1' median)" \
      -v s0="$(call_field layout 'op=resize mode=0' median)" -v s1="$(call_field layout 'op=resize mode=1' median)" 'BEGIN {
    printf "aim: a layout recomputation under 1 ms (median of the call): redraw %s / %s %s, resize %s / %s %s\n",
      r0, r1, (r0 != "" && r0 < 1 && r1 < 1 ? "MET" : "MISSED"), s0, s1, (s0 != "" && s0 < 1 && s1 < 1 ? "MET" : "MISSED")
  }'

  echo
  read -r pm plo phi < <(tr ' ' '\n' <<<"${idle_pct[process]:-}" | grep -v '^$' | stats2)
  read -r rm _ < <(tr ' ' '\n' <<<"$idle_run_total" | grep -v '^$' | stats2)
  echo "idle in the call, the real executable, 30 s after the sign-in's downloads ($runs runs):" \
    "$pm % of one core (min $plo, max $phi; utime + stime in 10 ms ticks);"
  echo "  the threads' time on a CPU (schedstat), summed: $rm % (per run: ${idle_run_total:-none})"
  [[ -z "$idle_failures" ]] || echo "    failed runs: $idle_failures"
  echo "  per thread (medians; threads of one name together; the engine's threads have no name of their own):"
  for name in "${!idle_groups[@]}"; do
    read -r gm _ < <(tr ' ' '\n' <<<"${idle_pct[$name]}" | grep -v '^$' | stats2)
    read -r wm _ < <(tr ' ' '\n' <<<"${idle_groups[$name]}" | grep -v '^$' | stats)
    label="$name"
    [[ "$name" == "$(basename "$glimora")" ]] && label="the simulated engine"
    printf '  %7s %%  %6s wake-ups/s  %s\n' "$gm" "$wm" "$label"
  done | sort -rn
  echo "  what the GUI thread handled in 30 s (glimora-bench-call --idle 30 --count-events, one run):"
  printf '%s' "${call_lines[events]:-}" | sed -n 's/^event count=\([0-9]*\) what=\(.*\)/\1 \2/p' | head -n 12 |
    while read -r n what; do printf '    %5s  %s\n' "$n" "$what"; done
  awk -v p="$pm" 'BEGIN {printf "aim: idle call under 2 %% of one core: %s %s\n", p, (p != "-" && p < 2 ? "MET" : "MISSED")}'

  echo
  errs=$(call_errors feeder)
  [[ -z "$errs" ]] || echo "    feeder run failed: $errs"
  echo "screen feeder, per frame (ms; the grab on the GUI thread, then the feeder's thread hands the frame to the engine;"
  echo " grabbed as QImage format $(call_field feeder '^feeder screen=' grabbed_format | head -n 1), 4 = RGB32, which needs no conversion):"
  for target in screen window; do
    sel="target=$target"
    printf '  %-7s %s: grab median %s worst %s (CPU %s / %s); feeder thread %s / %s; hand-over %s / %s;\n' \
      "$target" "$(call_field feeder "$sel" frame)" "$(call_field feeder "$sel" grab_median)" \
      "$(call_field feeder "$sel" grab_worst)" "$(call_field feeder "$sel" grab_cpu_median)" \
      "$(call_field feeder "$sel" grab_cpu_worst)" "$(call_field feeder "$sel" loop_cpu_median)" \
      "$(call_field feeder "$sel" loop_cpu_worst)" "$(call_field feeder "$sel" engine_wall_median)" \
      "$(call_field feeder "$sel" engine_wall_worst)"
    printf '          work (wall grab + feeder CPU) median %s worst %s; grab start to engine median %s worst %s; %s frames\n' \
      "$(call_field feeder "$sel" work_median)" "$(call_field feeder "$sel" work_worst)" \
      "$(call_field feeder "$sel" latency_median)" "$(call_field feeder "$sel" latency_worst)" \
      "$(call_field feeder "$sel" paired)"
    printf '          grabs into a reused buffer: %s, median %s worst %s; into a fresh one (its pages faulted in): %s, median %s worst %s\n' \
      "$(call_field feeder "$sel" reused_buffer)" "$(call_field feeder "$sel" reused_median)" \
      "$(call_field feeder "$sel" reused_worst)" "$(call_field feeder "$sel" fresh_buffer)" \
      "$(call_field feeder "$sel" fresh_median)" "$(call_field feeder "$sel" fresh_worst)"
  done
  awk -v s="$(call_field feeder target=screen work_median)" -v w="$(call_field feeder target=screen work_worst)" 'BEGIN {
    printf "aim: a 1080p frame under 10 ms: median %s %s, worst %s %s\n", s, (s != "" && s < 10 ? "MET" : "MISSED"),
      w, (w != "" && w < 10 ? "MET" : "MISSED")
  }'
fi
