# Resource compilation: lv_add_resources(<target> <manifest>) compiles a program's
# resources/ data into the target (see tools/rescomp).
