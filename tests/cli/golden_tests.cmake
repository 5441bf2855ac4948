# Runs of the built `bendpost` compared with committed golden files in
# tests/testdata/cli (see run_golden.cmake; BENDPOST_UPDATE_GOLDEN=1
# rewrites them). Included from tests/cli/CMakeLists.txt.
set(golden_dir ${PROJECT_SOURCE_DIR}/tests/testdata/cli)
set(golden_work ${CMAKE_CURRENT_BINARY_DIR}/golden)
file(MAKE_DIRECTORY ${golden_work} ${golden_work}/worked)

# bendpost_golden_test(NAME GOLDEN files [ARGS ...] [WORKDIR dir]
#   [PRODUCED files] [INPUT file] [EXPECT_RC n] [STREAM stderr] [CLEAN dirs]
#   [FIXTURES_SETUP f] [FIXTURES_REQUIRED f])
function(bendpost_golden_test name)
  cmake_parse_arguments(G "" "INPUT;EXPECT_RC;WORKDIR;STREAM;FIXTURES_SETUP;FIXTURES_REQUIRED"
                        "ARGS;CLEAN;PRODUCED;GOLDEN" ${ARGN})
  list(JOIN G_ARGS "|" args)
  list(JOIN G_PRODUCED "|" produced)
  list(JOIN G_GOLDEN "|" golden)
  list(JOIN G_CLEAN "|" clean)
  if(NOT G_WORKDIR)
    set(G_WORKDIR ${PROJECT_SOURCE_DIR})
  endif()
  if(NOT G_EXPECT_RC)
    set(G_EXPECT_RC 0)
  endif()
  add_test(NAME cli.golden.${name}
    COMMAND ${CMAKE_COMMAND}
      -D BENDPOST=$<TARGET_FILE:bendpost_command>
      "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
      "-DARGS=${args}"
      "-DCLEAN=${clean}"
      -D WORKDIR=${G_WORKDIR}
      -D EXPECT_RC=${G_EXPECT_RC}
      -D INPUT=${G_INPUT}
      "-DPRODUCED=${produced}"
      "-DGOLDEN=${golden}"
      -D STREAM=${G_STREAM}
      -D OUTDIR=${golden_work}
      -P ${CMAKE_CURRENT_SOURCE_DIR}/run_golden.cmake)
  if(G_FIXTURES_SETUP)
    set_tests_properties(cli.golden.${name} PROPERTIES FIXTURES_SETUP ${G_FIXTURES_SETUP})
  endif()
  if(G_FIXTURES_REQUIRED)
    set_tests_properties(cli.golden.${name} PROPERTIES FIXTURES_REQUIRED ${G_FIXTURES_REQUIRED})
  endif()
endfunction()

# The worked example of the calculation: its material file, built from the
# description, then `calc --json` and `calc --batch` on it.
bendpost_golden_test(material_build_worked_example
  ARGS material build ${golden_dir}/worked_example.json -o ${golden_work}/worked/f_1
  PRODUCED ${golden_work}/worked/f_1
  GOLDEN ${golden_dir}/worked_example.f_1
  FIXTURES_SETUP worked_material)
bendpost_golden_test(material_show_worked_example
  ARGS material show f_1
  WORKDIR ${golden_work}/worked
  GOLDEN ${golden_dir}/worked_example.f_1.txt
  FIXTURES_REQUIRED worked_material)
bendpost_golden_test(calc_worked_example
  ARGS calc --json --data . --material 1 --thickness 2 --v-width 16
       --die-angle 88 --die-radius 2 --length 1000 --strength 40 --angle 90
       --tonnage 100 --min-tonnage 5 --max-length 3000
       --bending-coefficient 1 --punch-resistance 100 --die-resistance 100
  WORKDIR ${golden_work}/worked
  GOLDEN ${golden_dir}/calc_worked_example.json
  FIXTURES_REQUIRED worked_material)
bendpost_golden_test(calc_batch
  ARGS calc --batch --data .
  INPUT ${golden_dir}/calc_batch.jsonl
  WORKDIR ${golden_work}/worked
  EXPECT_RC 1
  GOLDEN ${golden_dir}/calc_batch.out
  FIXTURES_REQUIRED worked_material)

# inspect of the program files the format tests keep.
bendpost_golden_test(inspect_control
  ARGS inspect tests/testdata/program/three_steps_inch.nmb
  GOLDEN ${golden_dir}/decoded_three_steps_inch.nmb.txt)
bendpost_golden_test(inspect_control_json
  ARGS inspect --json tests/testdata/program/one_step_mm.nmb
  GOLDEN ${golden_dir}/decoded_one_step_mm.nmb.json)
bendpost_golden_test(inspect_record
  ARGS inspect tests/testdata/program/three_steps_inch.rec
  GOLDEN ${golden_dir}/decoded_three_steps_inch.rec.txt)
bendpost_golden_test(inspect_not_a_program
  ARGS inspect examples/tools.txt
  EXPECT_RC 2 STREAM stderr
  GOLDEN ${golden_dir}/decoded_not_a_program.err)

# The folder of the program file samples as a library, and two of its
# programs compared.
bendpost_golden_test(list_program_samples
  ARGS list tests/testdata/program
  GOLDEN ${golden_dir}/list_program_samples.txt)
bendpost_golden_test(diff_one_step_three_steps
  ARGS diff tests/testdata/program/one_step_mm.nmb
       tests/testdata/program/three_steps_inch.nmb
  EXPECT_RC 1
  GOLDEN ${golden_dir}/diff_one_step_three_steps.txt)

# The examples' material files and tool table.
bendpost_golden_test(material_show_stainless
  ARGS material show f_4
  WORKDIR ${BENDPOST_EXAMPLE_DATA}
  GOLDEN ${golden_dir}/material_f_4.txt)
bendpost_golden_test(tools_check_examples
  ARGS tools check examples/tools.txt --job examples/cover_two_setups.json
  GOLDEN ${golden_dir}/tools_check_examples.txt)

# A job with errors: every error listed, nothing generated.
bendpost_golden_test(generate_job_with_errors
  ARGS generate tests/testdata/cli/job_with_errors.json --yes
       --settings ${golden_work}/errors/settings --out ${golden_work}/errors/out
  CLEAN ${golden_work}/errors
  EXPECT_RC 2 STREAM stderr
  GOLDEN ${golden_dir}/job_with_errors.err)

# Whole generations of the examples through the real driver: the control
# files are compared byte for byte (a fixed date and a fresh serial counter).
set(gen_common --date 2026-12-07 --data ${BENDPOST_EXAMPLE_DATA})
bendpost_golden_test(generate_bracket_mm
  ARGS generate examples/bracket_mm.json --yes ${gen_common}
       --settings ${golden_work}/bracket_mm/settings --out ${golden_work}/bracket_mm/out
  CLEAN ${golden_work}/bracket_mm
  PRODUCED ${golden_work}/bracket_mm/out/2120700.NMB
  GOLDEN ${golden_dir}/generate_bracket_mm.nmb)
bendpost_golden_test(generate_bracket_inch
  ARGS generate examples/bracket_inch.json --yes ${gen_common}
       --settings ${golden_work}/bracket_inch/settings --out ${golden_work}/bracket_inch/out
  CLEAN ${golden_work}/bracket_inch
  PRODUCED ${golden_work}/bracket_inch/out/2120700.NMB
  GOLDEN ${golden_dir}/generate_bracket_inch.nmb)
bendpost_golden_test(generate_cover_answers
  ARGS generate examples/cover_two_setups.json
       --answers tests/testdata/cli/cover_answers.json ${gen_common}
       --settings ${golden_work}/cover/settings --out ${golden_work}/cover/out
  CLEAN ${golden_work}/cover
  PRODUCED ${golden_work}/cover/out/2CV01.NMB ${golden_work}/cover/out/2120701.NMB
  GOLDEN ${golden_dir}/generate_cover_p1.nmb ${golden_dir}/generate_cover_p2.nmb)
bendpost_golden_test(inspect_generate_bracket_mm
  ARGS inspect tests/testdata/cli/generate_bracket_mm.nmb
  GOLDEN ${golden_dir}/generate_bracket_mm.nmb.txt)
bendpost_golden_test(inspect_generate_bracket_inch
  ARGS inspect tests/testdata/cli/generate_bracket_inch.nmb
  GOLDEN ${golden_dir}/generate_bracket_inch.nmb.txt)
bendpost_golden_test(inspect_generate_cover_p1
  ARGS inspect tests/testdata/cli/generate_cover_p1.nmb
  GOLDEN ${golden_dir}/generate_cover_p1.nmb.txt)
bendpost_golden_test(inspect_generate_cover_p2
  ARGS inspect tests/testdata/cli/generate_cover_p2.nmb
  GOLDEN ${golden_dir}/generate_cover_p2.nmb.txt)

# Setup sheets: `generate --sheet` writes the sheet beside every created
# program, and `sheet` on that control file with its job gives the same
# page (both compared with one golden page). A 25-step inch program too.
foreach(example bracket_mm bracket_inch)
  bendpost_golden_test(generate_sheet_${example}
    ARGS generate examples/${example}.json --yes --sheet ${gen_common}
         --settings ${golden_work}/sheet_${example}/settings
         --out ${golden_work}/sheet_${example}/out
    CLEAN ${golden_work}/sheet_${example}
    PRODUCED ${golden_work}/sheet_${example}/out/2120700.html
    GOLDEN ${golden_dir}/sheet_${example}.html
    FIXTURES_SETUP sheet_${example})
  bendpost_golden_test(sheet_${example}
    ARGS sheet ${golden_work}/sheet_${example}/out/2120700.NMB
         --job examples/${example}.json --data ${BENDPOST_EXAMPLE_DATA}
    GOLDEN ${golden_dir}/sheet_${example}.html
    FIXTURES_REQUIRED sheet_${example})
endforeach()
bendpost_golden_test(generate_sheet_cover
  ARGS generate examples/cover_two_setups.json --sheet
       --answers tests/testdata/cli/cover_answers.json ${gen_common}
       --settings ${golden_work}/sheet_cover/settings
       --out ${golden_work}/sheet_cover/out
  CLEAN ${golden_work}/sheet_cover
  PRODUCED ${golden_work}/sheet_cover/out/2CV01.html
           ${golden_work}/sheet_cover/out/2120701.html
  GOLDEN ${golden_dir}/sheet_cover_p1.html ${golden_dir}/sheet_cover_p2.html
  FIXTURES_SETUP sheet_cover)
foreach(program 2CV01:p1 2120701:p2)
  string(REPLACE ":" ";" parts ${program})
  list(GET parts 0 file)
  list(GET parts 1 which)
  bendpost_golden_test(sheet_cover_${which}
    ARGS sheet ${golden_work}/sheet_cover/out/${file}.NMB
         --job examples/cover_two_setups.json --data ${BENDPOST_EXAMPLE_DATA}
    GOLDEN ${golden_dir}/sheet_cover_${which}.html
    FIXTURES_REQUIRED sheet_cover)
endforeach()
bendpost_golden_test(generate_sheet_long_program_inch
  ARGS generate tests/testdata/cli/long_program_inch.json --yes --sheet
       ${gen_common} --settings ${golden_work}/sheet_long/settings
       --out ${golden_work}/sheet_long/out
  CLEAN ${golden_work}/sheet_long
  PRODUCED ${golden_work}/sheet_long/out/2120700.html
  GOLDEN ${golden_dir}/sheet_long_program_inch.html)

# The bending chart of every example material.
foreach(n 1 2 3 4)
  bendpost_golden_test(material_chart_${n}
    ARGS material chart --data ${BENDPOST_EXAMPLE_DATA} --material ${n}
    GOLDEN ${golden_dir}/chart_material_${n}.html)
endforeach()

# The version the project is built as (under the emulator in a cross build).
add_test(NAME cli.version COMMAND bendpost_command --version)
set_tests_properties(cli.version PROPERTIES
  PASS_REGULAR_EXPRESSION "^bendpost ${PROJECT_VERSION}\n$")
