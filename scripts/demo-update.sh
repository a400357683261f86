# Sourced by scripts/demo: the part of the demo that shows what the installed agent is for. The
# demo setup installs the product (Product.exe) with its agent DemoAgent.exe and Demo.original
# (version 1); then this publishes a signed version 2 on a local nginx, starts the product and
# its agent, answers the agent's boxes as a user would, and shows the product updated and started
# again. boxdriver.exe takes pictures of what the user sees; they end up as PNG files in
# build/demo/shots.
#
# scripts/demo calls, in this order:
#   update_prepare_package   before packing: key pair, server port, agent files in the package;
#                            sets UPDATE_URL and UPDATE_PACK_OPTIONS (stubpack options)
#   update_shoot_progress    just before the setup runs: photographs its progress window
#   update_progress_shot     after the setup: waits for that picture
#   update_run               after a good setup: publishes, checks, answers, shows the result
#   update_stop              at the end, whatever happened: stops the nginx it started
# They use top, demo, tree and arch of scripts/demo and Wine's variables from wine_select.

UPDATE_TOKEN=DemoProduct-1
UPDATE_AGENT=DemoAgent.exe
UPDATE_SETUP_TITLE="Demo Product Setup"  # s0 of samples/demo/lang.ini

# The Windows name of a path under / (Wine's drive Z:).
win_path() { printf 'Z:%s' "${1//\//\\}"; }

# A TCP port on 127.0.0.1 that nothing listens on now.
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Waits until the file holds the text (a fixed string), at most $3 seconds.
wait_for_text() {
  local file=$1 text=$2 seconds=$3 _
  for _ in $(seq $((seconds * 10))); do
    grep -qF -- "$text" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

update_prepare_package() {
  local package=$demo/package
  rm -f "$demo/product.key" "$demo/product.key.pub"
  step "making the update signing key" "stubpack keygen needs OpenSSL's ECDSA (libssl)." \
    build/tools/stubpack keygen --out "$demo/product.key" >/dev/null
  UPDATE_PORT=$(free_port)
  UPDATE_URL="http://127.0.0.1:$UPDATE_PORT/demo/"
  cp "$tree/Product.exe" "$package/"
  cp samples/demo/Demo.original "$package/"
  UPDATE_PACK_OPTIONS=(--make-agent-copy --agent-exe "$UPDATE_AGENT" --agent-debug-log
    --update-public-key "$demo/product.key.pub")
  mkdir -p "$demo/shots"
}

# Runs boxdriver.exe with the arguments; what it prints goes to stdout.
boxdriver() {
  "$top/scripts/wine-run" "$arch" "$tree/boxdriver.exe" "$@" </dev/null 2>>"$demo/wine.log" |
    tr -d '\r'
  return "${PIPESTATUS[0]}"
}

update_shoot_progress() {
  boxdriver --title "$UPDATE_SETUP_TITLE" --wait 120000 \
    --shot "$(win_path "$demo/shots/setup-progress.bmp")" >/dev/null &
  SHOT_PID=$!
}

update_progress_shot() {
  wait "$SHOT_PID"
}

start_nginx() {
  local n=$demo/nginx user_line=""
  mkdir -p "$n/logs" "$n/tmp"
  # As root, workers would run as "nobody", who may not read a build tree.
  [ "$(id -u)" = 0 ] && user_line="user root $(id -gn);"
  cat >"$n/nginx.conf" <<EOF
$user_line
worker_processes 1;
daemon off;
pid $n/nginx.pid;
error_log $n/logs/error.log warn;
events { worker_connections 16; }
http {
  access_log $n/logs/access.log;
  client_body_temp_path $n/tmp/body;
  proxy_temp_path $n/tmp/proxy;
  fastcgi_temp_path $n/tmp/fastcgi;
  uwsgi_temp_path $n/tmp/uwsgi;
  scgi_temp_path $n/tmp/scgi;
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$UPDATE_PORT;
    root $demo/www;
  }
}
EOF
  command -v nginx >/dev/null || PATH=$PATH:/usr/sbin
  nginx -p "$n" -c "$n/nginx.conf" -e "$n/logs/error.log" </dev/null >"$n/nginx.log" 2>&1 &
  NGINX_PID=$!
  python3 - "$UPDATE_URL" <<'EOF'
import sys, time, urllib.error, urllib.request
deadline = time.monotonic() + 20
while True:
    try:
        urllib.request.urlopen(sys.argv[1], timeout=2).read()
        break
    except urllib.error.HTTPError:
        break
    except Exception:
        if time.monotonic() > deadline:
            sys.exit(1)
        time.sleep(0.1)
EOF
}

update_stop() {
  [ -n "${NGINX_PID:-}" ] && kill "$NGINX_PID" 2>/dev/null && wait "$NGINX_PID" 2>/dev/null
  NGINX_PID=
}

# Version 2: the product again and version2.txt, installed over version 1 by the engine; the
# package carries the same agent, token and key.
build_update() {
  local update=$demo/update
  rm -rf "$update" && mkdir -p "$update" "$demo/www/demo"
  cp "$tree/Engine.exe" "$tree/Product.exe" "$update/"
  printf '2' >"$update/version2.txt"
  printf '[Engine]\r\nTargetDir=%s\r\n' "$(win_path "$demo/installed")" >"$update/Engine.ini"
  build/tools/stubpack build --stub "$tree/stub.exe" --out "$demo/www/demo/DemoUpdate2.exe" \
    --update-url "$UPDATE_URL" --info-file Demo.info --product-token "$UPDATE_TOKEN" \
    "${UPDATE_PACK_OPTIONS[@]}" --dir "$update" --run "Engine.exe*/S" >/dev/null
}

# Demo.info offers version 2: asked before download, the product closed and started again, the
# user told at the end. sign-update adds the update's SHA-256 and writes Demo.info.sig.
publish_update() {
  local www=$demo/www/demo
  printf '%s\r\n' "[NewSetup]" "DownloadURL_UPDATE=$UPDATE_URL" \
    "NameOfUpdateFile=DemoUpdate2.exe" "SizeOfUpdateFile=$(stat -c %s "$www/DemoUpdate2.exe")" \
    "RequestConfirmationBeforeDownload=1" "ShutDownMethod=Using WM_CLOSE" "RestartProcess=1" \
    "InformFinish=1" "RunningProcess=<InstallDir>\\Product.exe" "ProgramName=Demo Product" \
    "VersionNew=2" "Stamp=1" >"$www/Demo.info"
  build/tools/stubpack sign-update --key "$demo/product.key" --info "$www/Demo.info" \
    --update "$www/DemoUpdate2.exe" >/dev/null
}

start_product() {
  (cd "$demo/installed" && "$top/scripts/wine-run" "$arch" Product.exe </dev/null \
    >>"$demo/wine.log" 2>&1) &
  wait_for_text "$demo/installed/Product.log" started 60
}

# The product starts its agent; /DELAY=0 lets the agent's first check come at its first tick.
start_agent() {
  (cd "$demo/installed" && "$top/scripts/wine-run" "$arch" "$UPDATE_AGENT" /DELAY=0 </dev/null \
    >>"$demo/wine.log" 2>&1)
}

# Waits for the agent's box, shows what it says, saves its picture and presses the button.
answer_box() {
  local shot=$1 button=$2
  echo "== the agent shows a box; boxdriver reads it and presses \"$button\""
  boxdriver --wait 120000 --shot "$(win_path "$demo/shots/$shot.bmp")" \
    --answer "button:$button" --gone 20000 | sed 's/^/  /'
}

# The installed product is version 2: its files, the agent's record, and a second start.
product_updated() {
  local installed=$demo/installed
  wait_for_text "$installed/Demo.original" VersionOriginal=2 60 &&
    [ "$(cat "$installed/version2.txt" 2>/dev/null)" = 2 ] &&
    for _ in $(seq 600); do
      (($(grep -c started "$installed/Product.log") >= 2)) && return 0
      sleep 0.1
    done
  return 1
}

show_update_result() {
  local installed=$demo/installed
  echo "== the agent's console lines (through the debug viewer)"
  tail -n +"$((UPDATE_CONSOLE_FROM + 1))" "$demo/console.txt"
  echo "== installed files after the update (build/demo/installed)"
  (cd "$installed" && find . -type f | sed 's|^\./|  |' | sort)
  echo "== Demo.original now says"
  grep -E '^(VersionOriginal|Stamp|TargetDir)=' "$installed/Demo.original" | tr -d '\r' |
    sed 's/^/  /'
  echo "== Product.log: closed by the agent, then started again"
  tr -d '\r' <"$installed/Product.log" | sed 's/^/  /'
}

convert_shots() {
  local bmp
  for bmp in "$demo"/shots/*.bmp; do
    python3 "$top/tools/bmp_to_png.py" "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" || return 1
  done
}

update_run() {
  sleep 1  # the viewer's last lines of the setup
  UPDATE_CONSOLE_FROM=$(wc -l <"$demo/console.txt")
  step "starting nginx on 127.0.0.1:$UPDATE_PORT" \
    "nginx's messages are in build/demo/nginx/logs/error.log." start_nginx
  step "building update version 2" "stubpack's message above says what it could not do." \
    build_update
  step "publishing and signing Demo.info" "stubpack's message above says what it could not do." \
    publish_update
  echo "== published on $UPDATE_URL: DemoUpdate2.exe, Demo.info, Demo.info.sig"
  tr -d '\r' <"$demo/www/demo/Demo.info" | sed 's/^/  /'
  step "starting the installed product" \
    "Product.exe did not write Product.log; Wine's messages are in build/demo/wine.log." \
    start_product
  step "starting the agent" "Wine's messages are in build/demo/wine.log." start_agent
  step "answering the agent's question" \
    "The agent asked nothing; its log is build/demo/installed/X_DemoAgent.log." \
    answer_box update-question Yes
  step "answering the agent's \"was updated\" box" \
    "The update did not finish; see build/demo/installed/X_DemoAgent.log." \
    answer_box update-done Yes
  step "checking that version 2 is installed and running" \
    "The product was not updated or not started again; see build/demo/installed/X_DemoAgent.log." \
    product_updated
  sleep 1  # the viewer's last lines of the agent
  show_update_result
  step "turning the pictures into PNG files" "tools/bmp_to_png.py says what it could not read." \
    convert_shots
  echo "== screenshots of what the user saw (build/demo/shots)"
  echo "  setup-progress.png   the demo setup's progress window while it extracts"
  echo "  update-question.png  the agent's question before it fetches version 2"
  echo "  update-done.png      the agent's box after the update: was updated, start it again?"
}
