# Sourced by every script that needs a display where there is none (the
# dialog, its screenshots, the tests, the benchmark): starts Xvfb on a free
# display number, exports DISPLAY and sets xvfb_pid.
start_virtual_display() {
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
    read -r _ xvfb_pid <&3
    read -r display_number <&3
    export DISPLAY=":$display_number"
}
