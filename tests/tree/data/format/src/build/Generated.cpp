int   skipped( int value ){return value+1;}
