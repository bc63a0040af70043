list(APPEND QUARNEL_CORE_SOURCES
  numeric/hamiltonian.cpp
  numeric/jacobi_solver.cpp
  numeric/kpoint_calc.cpp
  numeric/fast_eigen.cpp
)
