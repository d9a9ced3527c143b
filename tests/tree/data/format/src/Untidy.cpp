int   untidy( int value ){return value+1;}
