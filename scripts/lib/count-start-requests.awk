# Reads a Wine server's request trace (wineserver -d1) and prints, for each
# process whose thread answers LB_GETCOUNT, how many requests its threads
# made until the first such answer: a dialog's cost until its list is ready.
# Threads are followed from each process's first one and the threads it
# creates in its own process; a thread id may be reused by a later process.

# A reply: "0024: open_key() = 0 { ... }"; a request: "0024: open_key( ... )".
function thread_of(line) { return substr(line, 1, index(line, ":") - 1) }
function field(line, name,    rest) {
    rest = substr(line, index(line, name "=") + length(name) + 1)
    return substr(rest, 1, match(rest, /[^0-9a-f]/) - 1)
}

/^[0-9a-f]+: init_first_thread\(\) = 0 / {
    p = field($0, "pid")
    process[thread_of($0)] = p
    requests[p] = 1 # the init_first_thread request itself
    answered[p] = 0
    next
}
/^[0-9a-f]+: new_thread\( process=ffffffff/ {
    creating[thread_of($0)] = 1
}
/^[0-9a-f]+: new_thread\(\) = 0 / {
    t = thread_of($0)
    if (creating[t]) process[field($0, "tid")] = process[t]
    creating[t] = 0
    next
}
/^[0-9a-f]+: get_message\(\) = 0 .* msg=0000018b,/ {
    p = process[thread_of($0)]
    if (p != "" && !answered[p]) {
        answered[p] = 1
        print requests[p]
    }
    next
}
/^[0-9a-f]+: [a-z_]+\( / {
    p = process[thread_of($0)]
    if (p != "") requests[p]++
}
