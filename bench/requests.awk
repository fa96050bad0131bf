# Counts the Wine-server requests that one program makes from its start until its main
# thread first waits for input (the window shown and painted, the loop idle), from a log
# of WINEDEBUG=+server (the server's trace) and, for the breakdown by function,
# +relay,+pid (the program's calls into system DLLs, written into the same file).
#   awk -f requests.awk -v skip=LINES -v unixpid=PID [-v functions=FILE] LOG
# skip: log lines before the program started; unixpid: the Unix process id of the program
# (Wine's loader keeps the id of the process that started it). functions: "start size name" lines, hex
# addresses, of the program's functions (from its link map); with it, each request is
# charged to the program function whose system call was running when it was made.
# Prints "idle" once the program waited for input, "total N", "steady N", "type NAME N" and
# "function NAME N" lines. steady leaves out the requests whose number depends on when the X
# server's events arrive: the waits (select, set_queue_mask) and the fetches of messages
# (get_message). The rest is the same from run to run but for the X server's focus events,
# which now and then come before the first wait and add a handful of requests.

function hex(text,   value, i) {
  text = tolower(text)
  sub(/^0x/, "", text)
  value = 0
  for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
  return value
}

# The function that contains address, by binary search over the sorted starts.
function owner(address,   low, high, middle) {
  low = 1; high = count
  if (count == 0 || address < start[1]) return "(outside the program)"
  while (low < high) {
    middle = int((low + high + 1) / 2)
    if (start[middle] <= address) low = middle; else high = middle - 1
  }
  return address < start[low] + size[low] ? name[low] : "(outside the program)"
}

BEGIN {
  if (functions != "") {
    while ((getline line < functions) > 0) {
      split(line, f, " ")
      count++
      start[count] = hex(f[1]); size[count] = hex(f[2])
      name[count] = substr(line, length(f[1]) + length(f[2]) + 3)
    }
    close(functions)
  }
}

NR <= skip || done { next }

# The program's first thread, known by the Unix process that runs it; threads it starts
# in its own process belong to it too.
main == "" && $2 == "init_first_thread(" && $3 == "unix_pid=" unixpid "," {
  main = $1; sub(/:$/, "", main)
  mine[main] = 1
  next
}
main == "" { next }

# A relay line of the main thread: "pid:tid:Call dll.Function(...) ret=ADDRESS", its
# "Ret" line, or a window procedure of the program called by the system, "pid:tid:Call
# window proc ADDRESS (...)". A system call or window procedure that is not the program's
# own (a jump ending a program function, a control's native procedure) is charged to the
# program function around it.
$1 ~ /^[0-9a-f]+:[0-9a-f]+:(Call|Ret)$/ {
  split($1, id, ":")
  if (id[2] != main) next
  if ($2 == "window" && $3 == "proc") {
    if (id[3] == "Call") {
      where = owner(hex($4))
      if (where ~ /^\(outside/ && depth > 0) where = function_of[depth]
      depth++
      stack[depth] = "proc " $4
      function_of[depth] = where
      caller[depth] = where " / (window procedure)"
    } else {
      while (depth > 0 && stack[depth] != "proc " $4) depth--
      if (depth > 0) depth--
    }
    next
  }
  if (!match($0, /ret=[0-9a-fA-F]+$/)) next
  address = substr($0, RSTART + 4)
  if (id[3] == "Call") {
    call = $2; sub(/\(.*/, "", call); sub(/^[^.]*\./, "", call)
    where = owner(hex(address))
    if (where ~ /^\(outside/ && depth > 0) where = function_of[depth]
    depth++
    stack[depth] = address
    function_of[depth] = where
    caller[depth] = where " / " call
  } else {
    while (depth > 0 && stack[depth] != address) depth--
    if (depth > 0) depth--
  }
  next
}

# A server line: "tid: request( ... )" or "tid: request() = STATUS { ... }".
/^[0-9a-f]+: [a-z_]+\(/ {
  tid = $1; sub(/:$/, "", tid)
  if (!(tid in mine)) next
  request = $2; sub(/\(.*/, "", request)
  if ($0 ~ /^[0-9a-f]+: [a-z_]+\(\) = /) {
    if (tid == main) {
      if (request == "get_message" && $0 ~ /= PENDING/) pending = 1
      else if (request != "select") pending = 0
    }
    if (request == "new_thread" && match($0, /tid=[0-9a-f]+/)) mine[substr($0, RSTART + 4, RLENGTH - 4)] = 1
    next
  }
  # The main thread waits without end for its next message: start-up is over.
  if (tid == main && request == "select" && pending && $0 ~ /timeout=infinite/) { done = 1; next }
  total++
  types[request]++
  if (functions == "") next
  if (tid != main) charged["(other threads of the program)"]++
  else if (depth == 0 || caller[depth] ~ /^\(outside/) charged["(process start-up: loader and DLL initialisation)"]++
  else charged[caller[depth]]++
  if (depth > 0) detail[caller[depth] " " request]++
}

END {
  if (done) print "idle"
  print "total", total + 0
  print "steady", total - types["select"] - types["set_queue_mask"] - types["get_message"]
  for (t in types) print "type", t, types[t]
  for (c in charged) print "function", c, charged[c]
  for (d in detail) print "detail", d, detail[d]
}
