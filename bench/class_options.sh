# The vorbench options of each instance class, shared by the benchmark scripts.
# Scale of each class's bin: I 10 -> 1000 mm, II 30 -> 1500, III 40 -> 1000,
# IV, V, VII..X 100 -> 1000, VI 300 -> 3000.
class_options() {
    case "$1" in
        I) echo "--rotation no --kerf 0 --trim 0 --scale 100" ;;
        II) echo "--rotation no --kerf 0 --trim 0 --scale 50" ;;
        III) echo "--rotation no --kerf 0 --trim 0 --scale 25" ;;
        IV | V | VI | VII | VIII | IX | X) echo "--rotation no --kerf 0 --trim 0 --scale 10" ;;
        workshop) echo "--rotation yes --kerf 4 --trim 10 --scale 1" ;;
        *) return 1 ;;
    esac
}
