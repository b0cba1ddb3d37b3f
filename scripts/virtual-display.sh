# Sourced by the scripts that show the dialog without a display: starts Xvfb
# on a free display number, exports DISPLAY and sets xvfb_pid.
start_virtual_display() {
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
    read -r _ xvfb_pid <&3
    read -r display_number <&3
    export DISPLAY=":$display_number"
}
